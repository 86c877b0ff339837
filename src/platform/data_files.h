// Where the game finds its data files (sprites, captions, sounds): the current
// directory first, then beside the executable, then the installed data folder;
// on Windows, beside the executable first, then the current directory.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "program/text_fields.h"

namespace glouton::platform {

// The first folder of `folders` holding a regular file `name` (trimmed), as
// the path to open; an empty folder stands for the current directory.
std::optional<std::string> find_data_file(std::string_view name,
                                          const std::vector<std::filesystem::path>& folders);

// The game's folders in the order they are searched.
std::vector<std::filesystem::path> data_folders();

// find_data_file over data_folders().
std::optional<std::string> find_data_file(std::string_view name);

// The folders searched, for messages ("., /usr/games/, /usr/share/glouton").
std::string describe_data_folders();

}  // namespace glouton::platform
