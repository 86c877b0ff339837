#include "platform/data_files.h"

#include <SDL.h>

#include <system_error>

#ifndef GLOUTON_DATADIR
#define GLOUTON_DATADIR ""
#endif

namespace glouton::platform {

namespace {

// SDL speaks UTF-8; Windows' own paths are wide, and its narrow ones are in
// the local code page, which would spoil a folder named "Zoé".
#ifdef _WIN32
std::filesystem::path from_utf8(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}
std::string to_utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}
#else
std::filesystem::path from_utf8(std::string_view text) {
  return std::filesystem::path(text);
}
std::string to_utf8(const std::filesystem::path& path) {
  return path.string();
}
#endif

}  // namespace

std::optional<std::string> find_data_file(std::string_view name,
                                          const std::vector<std::filesystem::path>& folders) {
  const std::string trimmed = trim_trailing_blanks(name);
  if (trimmed.empty()) return std::nullopt;
  for (const std::filesystem::path& folder : folders) {
    const std::filesystem::path candidate =
        folder.empty() ? from_utf8(trimmed) : folder / from_utf8(trimmed);
    std::error_code ec;
    if (std::filesystem::is_regular_file(candidate, ec)) return to_utf8(candidate);
  }
  return std::nullopt;
}

std::vector<std::filesystem::path> data_folders() {
#ifdef _WIN32
  // A game unzipped anywhere: its own folder first, then the current directory.
  std::vector<std::filesystem::path> folders;
  if (char* base = SDL_GetBasePath()) {
    folders.push_back(from_utf8(base));
    SDL_free(base);
  }
  folders.emplace_back();
  return folders;
#else
  std::vector<std::filesystem::path> folders{std::filesystem::path{}};
  if (char* base = SDL_GetBasePath()) {
    const std::filesystem::path beside(base);
    SDL_free(base);
    folders.push_back(beside);
    // An installed tree moved elsewhere (a package unpacked into a folder):
    // bin/glouton finds its data in ../share/glouton.
    folders.push_back((beside / ".." / "share" / "glouton").lexically_normal());
  }
  if (std::string_view(GLOUTON_DATADIR).size() > 0) folders.emplace_back(GLOUTON_DATADIR);
  return folders;
#endif
}

std::optional<std::string> find_data_file(std::string_view name) {
  return find_data_file(name, data_folders());
}

std::string describe_data_folders() {
  std::string out;
  for (const std::filesystem::path& folder : data_folders()) {
    if (!out.empty()) out += ", ";
    out += folder.empty() ? std::string("the current directory") : to_utf8(folder);
  }
  return out;
}

}  // namespace glouton::platform
