#include "sim/png_file.h"

#include <png.h>

#include <vector>

namespace glouton {

std::optional<std::string> write_png(const draw::PixelBuffer& picture, const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.width());
  image.height = static_cast<png_uint_32>(picture.height());
  image.format = PNG_FORMAT_RGB;
  // The picture's alpha means nothing once drawn: the file is opaque.
  std::vector<png_byte> rgb;
  rgb.reserve(static_cast<std::size_t>(picture.width()) * picture.height() * 3);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      const std::uint32_t p = picture.at(x, y);
      rgb.insert(rgb.end(), {static_cast<png_byte>(p >> 16), static_cast<png_byte>(p >> 8),
                             static_cast<png_byte>(p)});
    }
  if (png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr)) return {};
  return std::string("cannot write ") + path + ": " + image.message;
}

std::optional<draw::PixelBuffer> read_png(const std::string& path, std::string& error) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) {
    error = image.message;
    return {};
  }
  image.format = PNG_FORMAT_BGRA;  // 0xAARRGGBB in a little-endian word
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(image.width) * image.height);
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
    error = image.message;
    return {};
  }
  draw::PixelBuffer out(static_cast<int>(image.width), static_cast<int>(image.height), 0);
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x)
      out.at(x, y) = pixels[static_cast<std::size_t>(y) * out.width() + x] | 0xff000000;
  return out;
}

}  // namespace glouton
