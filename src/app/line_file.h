// The files `glouton` writes as it plays, whole lines once per wake: the
// trace of `--trace` (the simulator's lines for the real window, each with
// the real time its handler started) and the replay of `--record`.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace glouton::app {

class LineFile {
 public:
  // Null with `error` set when the file cannot be made; `what` names it in messages.
  static std::unique_ptr<LineFile> create(const std::string& path, const char* what,
                                          std::string& error);
  ~LineFile();
  LineFile(const LineFile&) = delete;
  LineFile& operator=(const LineFile&) = delete;

  void add_line(std::string_view line);
  // Writes the lines added since the last flush. On a failure (a full disk)
  // the file is cut back to its last whole line, writing it stops, and
  // standard error is told once.
  void flush();

 private:
  LineFile(std::FILE* file, std::string path, const char* what)
      : file_(file), path_(std::move(path)), what_(what) {}

  std::FILE* file_;  // null once writing stopped
  std::string path_;
  const char* what_;
  std::string pending_;
  std::uint64_t size_ = 0;  // bytes of whole lines written
};

}  // namespace glouton::app
