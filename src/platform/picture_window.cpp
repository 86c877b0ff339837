#include "platform/picture_window.h"

#include "draw/pictures.h"
#include "platform/startup_error.h"

namespace glouton::platform {

namespace {

// The glouton, the windows' icon. SDL copies it.
SurfacePtr icon() {
  const draw::Image& glouton = draw::pictures().sprite(Picture::glouton);
  return SurfacePtr(
      SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(glouton.pixels.data()),
                                         glouton.w, glouton.h, 32, glouton.w * 4, pixel_format));
}

}  // namespace

PictureWindow::PictureWindow(int w, int h, const char* what)
    : window_(window_caption, w, h, icon().get(), what) {}

bool PictureWindow::handle(const SDL_Event& e, const PixelRect& button, bool& clicked) {
  clicked = false;
  if (e.type == SDL_WINDOWEVENT && e.window.windowID == id()) {
    if (needs_redraw(e.window)) redraw_ = true;
    return e.window.event == SDL_WINDOWEVENT_CLOSE;
  }
  clicked = button_.handle(e, id(), [&](int x, int y) { return window_.on(button, x, y); }).clicked;
  return false;
}

bool PictureWindow::show(draw::WindowPicture& picture, const std::string& caption, bool whole) {
  if (caption != caption_) {
    caption_ = caption;
    SDL_SetWindowTitle(window(), caption_.c_str());
  }
  const bool first = !shown_;
  if (first) window_.show();
  window_.present(picture.pixels(), picture.take_changed(), whole || first || redraw_);
  shown_ = true;
  redraw_ = false;
  return first;
}

void PictureWindow::hide() {
  if (!shown_) return;
  window_.hide();
  button_.release();
  shown_ = false;
}

}  // namespace glouton::platform
