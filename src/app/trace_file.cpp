#include "app/trace_file.h"

#include <cerrno>
#include <cstring>

#include "sim/trace.h"

namespace glouton::app {

std::unique_ptr<TraceFile> TraceFile::create(const std::string& path, std::string& error) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    error = "cannot write trace file " + path + ": " + std::strerror(errno);
    return nullptr;
  }
  return std::unique_ptr<TraceFile>(new TraceFile(file, path));
}

TraceFile::~TraceFile() {
  flush();
  std::fclose(file_);
}

void TraceFile::add(const Form1& form, const EventRecord& record, std::int64_t wall) {
  append_trace_line(pending_, form, record, nullptr, wall);
}

void TraceFile::flush() {
  if (pending_.empty()) return;
  const bool written = std::fwrite(pending_.data(), 1, pending_.size(), file_) == pending_.size() &&
                       std::fflush(file_) == 0;
  pending_.clear();
  if (!written && !failed_) {
    failed_ = true;
    std::fprintf(stderr, "glouton: cannot write trace file %s: %s\n", path_.c_str(),
                 std::strerror(errno));
  }
}

}  // namespace glouton::app
