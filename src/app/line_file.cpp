#include "app/line_file.h"

#include <cerrno>
#include <cstring>

#include "program/trace.h"

namespace glouton::app {

std::unique_ptr<LineFile> LineFile::create(const std::string& path, const char* what,
                                           std::string& error) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    error = std::string("cannot write ") + what + " file " + path + ": " + std::strerror(errno);
    return nullptr;
  }
  return std::unique_ptr<LineFile>(new LineFile(file, path, what));
}

LineFile::~LineFile() {
  flush();
  std::fclose(file_);
}

void LineFile::add(const Form1& form, const EventRecord& record, std::int64_t wall) {
  append_trace_line(pending_, form, record, nullptr, wall);
}

void LineFile::add_line(std::string_view line) {
  pending_ += line;
  pending_ += '\n';
}

void LineFile::flush() {
  if (pending_.empty()) return;
  const bool written = std::fwrite(pending_.data(), 1, pending_.size(), file_) == pending_.size() &&
                       std::fflush(file_) == 0;
  pending_.clear();
  if (!written && !failed_) {
    failed_ = true;
    std::fprintf(stderr, "glouton: cannot write %s file %s: %s\n", what_, path_.c_str(),
                 std::strerror(errno));
  }
}

}  // namespace glouton::app
