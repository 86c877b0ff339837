// The order in which the file sounds play: a new one cuts the one playing
// short, except a held one (the lost life), which plays to its end while what
// is asked meanwhile waits for it.
#pragma once

#include <deque>
#include <optional>
#include <string>

namespace glouton {

struct FileRequest {
  std::string file;
  bool hold = false;
  bool operator==(const FileRequest&) const = default;
};

class FileSoundOrder {
 public:
  // The sound to start now, or nothing when it waits for the held one.
  std::optional<FileRequest> ask(FileRequest request);
  // The held sound ended (or could not play at all): the one to start next, if any.
  std::optional<FileRequest> held_ended();
  bool holding() const { return holding_; }
  bool waiting() const { return !waiting_.empty(); }
  // The window unloads: nothing plays and nothing waits.
  void clear();

 private:
  bool holding_ = false;
  // Held sounds in the order asked, and at most one other one last: a sound
  // that is not held would be cut short at once by the next one anyway.
  std::deque<FileRequest> waiting_;
};

}  // namespace glouton
