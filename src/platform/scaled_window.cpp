#include "platform/scaled_window.h"

#include <string>
#include <string_view>

#include "audio/warn.h"
#include "platform/startup_error.h"

namespace glouton::platform {

bool needs_redraw(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_DISPLAY_CHANGED:
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
      return true;
    default:
      return false;
  }
}

namespace {

// A window keeps its whole scale, bars and all, however large its room: no
// fractional one (screen/fit.h).
constexpr int min_fill = 0;

// Room left for the window's frame and title bar when choosing the scale.
constexpr int frame_allowance_w = 16;
constexpr int frame_allowance_h = 64;

int initial_scale(int content_w, int content_h) {
  SDL_Rect usable{};
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return 1;
  return whole_scale(content_w, content_h, usable.w - frame_allowance_w,
                     usable.h - frame_allowance_h);
}

}  // namespace

ScaledWindow::ScaledWindow(const char* caption, int content_w, int content_h, SDL_Surface* icon,
                           const char* what)
    : w_(content_w), h_(content_h) {
  // Whole-factor scaling of pixel art: no smoothing.
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
  const int k = initial_scale(w_, h_);
  // On a HiDPI screen the window is as large in points, and drawn in all its
  // pixels: the picture's scale comes from the pixels, and stays sharp.
  const Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
  window_.reset(SDL_CreateWindow(caption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w_ * k,
                                 h_ * k, flags));
  if (!window_) throw StartupError(std::string("cannot open ") + what + ": " + SDL_GetError());
  SDL_SetWindowMinimumSize(window_.get(), w_, h_);
  if (icon) SDL_SetWindowIcon(window_.get(), icon);

  renderer_.reset(SDL_CreateRenderer(window_.get(), -1, 0));
  if (!renderer_) throw StartupError(std::string("cannot draw in ") + what + ": " + SDL_GetError());
  content_.reset(
      SDL_CreateTexture(renderer_.get(), pixel_format, SDL_TEXTUREACCESS_STREAMING, w_, h_));
  if (!content_)
    throw StartupError(std::string("cannot make the texture of ") + what + ": " + SDL_GetError());
  SDL_SetTextureBlendMode(content_.get(), SDL_BLENDMODE_NONE);
  SDL_RendererInfo info{};
  keeps_frame_ = SDL_GetRendererInfo(renderer_.get(), &info) == 0 && info.name &&
                 std::string_view(info.name) == "software";
}

void ScaledWindow::present(const draw::PixelBuffer& picture, const std::vector<PixelRect>& changed,
                           bool whole) {
  std::optional<PixelRect> part;
  for (const PixelRect& r : changed) {
    upload(picture, r);
    part = part ? draw::bounding(*part, r) : r;
  }
  if (!part && !whole) return;
  draw_frame(whole ? std::nullopt : part);
  flip();
}

void ScaledWindow::upload(const draw::PixelBuffer& picture, const PixelRect& part) {
  const SDL_Rect rect{part.x, part.y, part.w, part.h};
  const std::uint32_t* first = picture.data() + part.y * picture.width() + part.x;
  SDL_UpdateTexture(content_.get(), &rect, first, picture.width() * 4);
}

void ScaledWindow::draw_frame(const std::optional<PixelRect>& part) {
  SDL_Renderer* r = renderer_.get();
  Size output{w_, h_};
  SDL_GetRendererOutputSize(r, &output.w, &output.h);
  const View v = fit_view(w_, h_, output.w, output.h, min_fill);
  const bool same_size = drawn_at_ && drawn_at_->w == output.w && drawn_at_->h == output.h;
  const SDL_Rect asked = part ? SDL_Rect{part->x, part->y, part->w, part->h} : SDL_Rect{};
  const SDL_Rect content{0, 0, w_, h_};
  SDL_Rect src{};
  // At a fractional scale a part stretched alone could sample its pixels
  // unlike the whole: such frames are drawn whole.
  if (part && keeps_frame_ && same_size && v.whole() && SDL_IntersectRect(&asked, &content, &src)) {
    // The rest of the window shows the last frame still: no bars, no clear.
    const PixelRect out = v.to_output({src.x, src.y, src.w, src.h});
    const SDL_Rect dest{out.x, out.y, out.w, out.h};
    SDL_RenderSetClipRect(r, &dest);
    SDL_RenderCopy(r, content_.get(), &src, &dest);
    return;
  }
  drawn_at_ = output;
  SDL_RenderSetClipRect(r, nullptr);
  SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
  SDL_RenderClear(r);
  const PixelRect out = v.to_output({0, 0, w_, h_});
  const SDL_Rect whole{out.x, out.y, out.w, out.h};
  SDL_RenderCopy(r, content_.get(), nullptr, &whole);
}

void ScaledWindow::flip() {
  SDL_RenderPresent(renderer_.get());
}

void ScaledWindow::toggle_fullscreen() {
  // The desktop's own mode: no mode change, the screen's size, the bars ours.
  // Leaving it, SDL gives the window back the size it had.
  SDL_Window* window = window_.get();
  const bool full = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
  if (SDL_SetWindowFullscreen(window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) != 0)
    warn_on_stderr(std::string("cannot switch fullscreen: ") + SDL_GetError());
}

bool ScaledWindow::fullscreen() const {
  return (SDL_GetWindowFlags(window_.get()) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
}

Point ScaledWindow::to_content(int window_x, int window_y) const {
  // Mouse positions come in window points, drawing in output pixels: they differ on a HiDPI screen.
  Size window, output;
  SDL_GetWindowSize(window_.get(), &window.w, &window.h);
  SDL_GetRendererOutputSize(renderer_.get(), &output.w, &output.h);
  return window_to_canvas(w_, h_, window, output, {window_x, window_y}, min_fill);
}

}  // namespace glouton::platform
