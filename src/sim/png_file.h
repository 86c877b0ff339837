// A window's picture as a PNG file: what `glouton-sim --snapshot` writes and
// the picture tests read. The native simulator has it (libpng); the builds
// for other targets have png_none.cpp instead, which refuses.
#pragma once

#include <optional>
#include <string>

#include "draw/pixel_buffer.h"

namespace glouton {

// Writes `picture` to `path` as 8-bit RGB; the reason when it cannot.
std::optional<std::string> write_png(const draw::PixelBuffer& picture, const std::string& path);

// The picture of an RGB or RGBA PNG file, opaque; none when it cannot be read.
std::optional<draw::PixelBuffer> read_png(const std::string& path, std::string& error);

}  // namespace glouton
