#include "app/line_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace glouton::app {

std::unique_ptr<LineFile> LineFile::create(const std::string& path, const char* what,
                                           std::string& error) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    error = std::string("cannot write ") + what + " file " + path + ": " + std::strerror(errno);
    return nullptr;
  }
  // Unbuffered: each flush writes its whole lines at once, so the size written
  // is known when the disk fills and nothing is left behind to be written later.
  std::setvbuf(file, nullptr, _IONBF, 0);
  return std::unique_ptr<LineFile>(new LineFile(file, path, what));
}

LineFile::~LineFile() {
  flush();
  if (file_) std::fclose(file_);
}

void LineFile::add_line(std::string_view line) {
  if (!file_) return;
  pending_ += line;
  pending_ += '\n';
}

void LineFile::flush() {
  if (pending_.empty() || !file_) return;
  // A write cut short says why only when it is tried again.
  std::size_t written = 0;
  while (written < pending_.size()) {
    const std::size_t n =
        std::fwrite(pending_.data() + written, 1, pending_.size() - written, file_);
    if (n == 0) break;
    written += n;
  }
  if (written == pending_.size()) {
    size_ += written;
    pending_.clear();
    return;
  }
  // A full disk or a failing one: the file keeps the whole lines written
  // before, and nothing more goes into it, so that no line is lost in the middle.
  const int error = errno;
  pending_.clear();
  std::fclose(file_);
  file_ = nullptr;
  std::error_code ignored;
  std::filesystem::resize_file(path_, size_, ignored);
  std::fprintf(stderr, "glouton: cannot write %s file %s: %s; writing it stopped\n", what_,
               path_.c_str(), std::strerror(error));
}

}  // namespace glouton::app
