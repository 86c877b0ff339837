#include "sound/file_sound_order.h"

namespace glouton {

std::optional<FileRequest> FileSoundOrder::ask(FileRequest request) {
  if (!holding_) {
    holding_ = request.hold;
    return request;
  }
  while (!waiting_.empty() && !waiting_.back().hold) waiting_.pop_back();
  waiting_.push_back(std::move(request));
  return std::nullopt;
}

std::optional<FileRequest> FileSoundOrder::held_ended() {
  holding_ = false;
  if (waiting_.empty()) return std::nullopt;
  FileRequest next = std::move(waiting_.front());
  waiting_.pop_front();
  holding_ = next.hold;
  return next;
}

void FileSoundOrder::clear() {
  holding_ = false;
  waiting_.clear();
}

}  // namespace glouton
