#include "platform/data_files.h"

#include <SDL.h>

#include <system_error>

#ifndef GLOUTON_DATADIR
#define GLOUTON_DATADIR ""
#endif

namespace glouton::platform {

std::string trim_trailing_blanks(std::string_view name) {
  const std::size_t end = name.find_last_not_of(" \t");
  return std::string(end == std::string_view::npos ? std::string_view{} : name.substr(0, end + 1));
}

std::optional<std::string> find_data_file(std::string_view name,
                                          const std::vector<std::filesystem::path>& folders) {
  const std::string trimmed = trim_trailing_blanks(name);
  if (trimmed.empty()) return std::nullopt;
  for (const std::filesystem::path& folder : folders) {
    const std::filesystem::path candidate =
        folder.empty() ? std::filesystem::path(trimmed) : folder / trimmed;
    std::error_code ec;
    if (std::filesystem::is_regular_file(candidate, ec)) return candidate.string();
  }
  return std::nullopt;
}

std::vector<std::filesystem::path> data_folders() {
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
}

std::optional<std::string> find_data_file(std::string_view name) {
  return find_data_file(name, data_folders());
}

std::string describe_data_folders() {
  std::string out;
  for (const std::filesystem::path& folder : data_folders()) {
    if (!out.empty()) out += ", ";
    out += folder.empty() ? std::string("the current directory") : folder.string();
  }
  return out;
}

}  // namespace glouton::platform
