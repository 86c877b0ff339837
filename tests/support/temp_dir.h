// A fresh folder for one test's files, removed with everything in it.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace glouton::testing {

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "glouton-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // Writes `text` to `relative` (folders made as needed) and returns its path.
  std::filesystem::path write(const std::string& relative, const std::string& text) const {
    const std::filesystem::path file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
    return file;
  }

  // Finds a data file by name in this folder only, as the devices' finders do.
  std::function<std::optional<std::string>(std::string_view)> finder() const {
    return [this](std::string_view name) -> std::optional<std::string> {
      const std::filesystem::path p = path_ / name;
      if (std::filesystem::exists(p)) return p.string();
      return std::nullopt;
    };
  }

 private:
  std::filesystem::path path_;
};

// Runs in another current directory for the life of the object.
class InDirectory {
 public:
  explicit InDirectory(const std::filesystem::path& dir)
      : before_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  ~InDirectory() { std::filesystem::current_path(before_); }
  InDirectory(const InDirectory&) = delete;
  InDirectory& operator=(const InDirectory&) = delete;

 private:
  std::filesystem::path before_;
};

}  // namespace glouton::testing
