#include "platform/scaled_window.h"

#include <string>
#include <string_view>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <vector>
#endif

#include "audio/warn.h"
#include "platform/startup_error.h"

namespace glouton::platform {

namespace {

// The window's picture is uploaded in the format of the surface it is shown
// on: the page's SDL, built without its fast blitters, then stretches it by
// copying pixels (SDL_SoftStretch) instead of converting each one in its
// general blitter. Its canvas's surface is XBGR.
#ifdef __EMSCRIPTEN__
constexpr Uint32 content_format = SDL_PIXELFORMAT_BGR888;
#else
constexpr Uint32 content_format = pixel_format;
#endif

}  // namespace

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

#ifdef __EMSCRIPTEN__
// The page's windows: they share its one canvas, and follow its size.
std::vector<ScaledWindow*> page_windows;
#endif

// Room left for the window's frame and title bar when choosing the scale.
constexpr int frame_allowance_w = 16;
constexpr int frame_allowance_h = 64;

// In a page the canvas takes a phone's screen as well as a desktop's: where no
// whole scale fills 90 % of its room (a phone held upright fills 55 % at 1x,
// held sideways 77 % at 2x), a fractional one fills it. From 9x up a whole
// scale always fills 90 %. A desktop window keeps its whole scale, bars and all.
#ifdef __EMSCRIPTEN__
constexpr int min_fill = 90;
#else
constexpr int min_fill = 0;
#endif

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
  // pixels: the canvas's scale comes from the pixels, and stays sharp.
#ifdef __EMSCRIPTEN__
  // In a page the window's size is the canvas's, in its own pixels, set by
  // fit_page(): SDL's own HiDPI canvas would draw in CSS pixels only.
  const Uint32 flags = SDL_WINDOW_HIDDEN;
  // The page's windows share one canvas, and SDL listens to it for each:
  // every key and touch would come once per window, a hidden title's too.
  // The newest window, the one shown, listens alone. (In a page the title
  // never shows again after the game window: Escape ends the program.)
  EM_ASM({ JSEvents.removeAllHandlersOnTarget(Module['canvas']); });
#else
  const Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
#endif
  window_.reset(SDL_CreateWindow(caption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w_ * k,
                                 h_ * k, flags));
  if (!window_) throw StartupError(std::string("cannot open ") + what + ": " + SDL_GetError());
#ifdef __EMSCRIPTEN__
  page_windows.push_back(this);
  fit_page();
#else
  SDL_SetWindowMinimumSize(window_.get(), w_, h_);
#endif
  if (icon) SDL_SetWindowIcon(window_.get(), icon);

  renderer_.reset(SDL_CreateRenderer(window_.get(), -1, 0));
  if (!renderer_) throw StartupError(std::string("cannot draw in ") + what + ": " + SDL_GetError());
  content_.reset(
      SDL_CreateTexture(renderer_.get(), content_format, SDL_TEXTUREACCESS_STREAMING, w_, h_));
  if (!content_)
    throw StartupError(std::string("cannot make the texture of ") + what + ": " + SDL_GetError());
  SDL_SetTextureBlendMode(content_.get(), SDL_BLENDMODE_NONE);
  SDL_RendererInfo info{};
  keeps_frame_ = SDL_GetRendererInfo(renderer_.get(), &info) == 0 && info.name &&
                 std::string_view(info.name) == "software";
}

ScaledWindow::~ScaledWindow() {
#ifdef __EMSCRIPTEN__
  page_windows.erase(std::remove(page_windows.begin(), page_windows.end(), this),
                     page_windows.end());
#endif
}

#ifdef __EMSCRIPTEN__
// clang-format off
// The window's pixels, w x h in RGBA, drawn on the canvas where the part given
// changed; nothing while the canvas has another window's size.
EM_JS(void, put_on_canvas, (const void* pixels, int w, int h, int x, int y, int pw, int ph), {
  const canvas = Module['canvas'];
  if (canvas.width !== w || canvas.height !== h) return;
  const rgba = new Uint8ClampedArray(HEAPU8.buffer, pixels, w * h * 4);
  canvas.getContext('2d').putImageData(new ImageData(rgba, w, h), 0, 0, x, y, pw, ph);
});
// A canvas that fills the room has no size or place of its own in the page's style.
EM_JS(void, set_canvas_box, (int fills, double x, double y, int w, int h), {
  const style = Module['canvas'].style;
  const px = (v) => fills ? "" : v + "px";
  style.left = px(x);
  style.top = px(y);
  style.width = px(w);
  style.height = px(h);
});
// clang-format on

namespace {

// Where the canvas lies in the page's room for the game, in CSS pixels.
struct CanvasPlace {
  bool fills = true;  // the whole room
  double x = 0, y = 0;
  int w = 0, h = 0;
  bool operator==(const CanvasPlace&) const = default;
};

void place_canvas(const CanvasPlace& place) {
  static std::optional<CanvasPlace> placed;  // the page's style is written only when it changes
  if (placed == place) return;
  placed = place;
  set_canvas_box(place.fills, place.x, place.y, place.w, place.h);
}

}  // namespace

void ScaledWindow::fit_page() {
  double css_w = 0, css_h = 0;
  if (emscripten_get_element_css_size("#room", &css_w, &css_h) != EMSCRIPTEN_RESULT_SUCCESS) return;
  const double ratio = emscripten_get_device_pixel_ratio();
  const int room_w = std::max(1, static_cast<int>(std::lround(css_w * ratio)));
  const int room_h = std::max(1, static_cast<int>(std::lround(css_h * ratio)));
  const View v = fit_view(w_, h_, room_w, room_h, min_fill);
  // At a whole scale the canvas holds the content's own pixels, and the
  // browser enlarges them (the page's CSS asks for no smoothing): a quarter
  // of the pixels to draw and copy at each frame at 2x, a ninth at 3x. Its
  // box must then fall on whole device pixels: a whole device pixel ratio
  // that divides the enlarged size, in CSS pixels. Elsewhere the canvas
  // fills the room, and the window draws in all its device pixels.
  const int per_css = static_cast<int>(ratio);
  const bool browser_scales = v.whole() && per_css >= 1 && per_css == ratio && v.x >= 0 &&
                              v.y >= 0 && w_ * v.scale % per_css == 0 &&
                              h_ * v.scale % per_css == 0;
  int w = room_w, h = room_h;
  if (browser_scales) {
    w = w_;
    h = h_;
    place_canvas({false, v.x / ratio, v.y / ratio, w_ * v.scale / per_css, h_ * v.scale / per_css});
  } else {
    place_canvas({});
  }
  int now_w = 0, now_h = 0;
  SDL_GetWindowSize(window_.get(), &now_w, &now_h);
  // SDL then sends SDL_WINDOWEVENT_SIZE_CHANGED, and the window is drawn anew.
  if (w != now_w || h != now_h) SDL_SetWindowSize(window_.get(), w, h);
}

void fit_page_windows() {
  // The newest window has the canvas: the one shown.
  if (!page_windows.empty()) page_windows.back()->fit_page();
}
#endif

double ScaledWindow::units_per_css_pixel() const {
#ifdef __EMSCRIPTEN__
  double css_w = 0, css_h = 0;
  int w = 0, h = 0;
  SDL_GetWindowSize(window_.get(), &w, &h);
  if (emscripten_get_element_css_size("#canvas", &css_w, &css_h) != EMSCRIPTEN_RESULT_SUCCESS ||
      css_w <= 0)
    return emscripten_get_device_pixel_ratio();
  return w / css_w;
#else
  return 1;  // a desktop window counts in points already
#endif
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
  const int pitch = picture.width() * 4;
#ifdef __EMSCRIPTEN__
  // ARGB to XBGR: red and blue change places.
  void* pixels = nullptr;
  int to_pitch = 0;
  if (SDL_LockTexture(content_.get(), &rect, &pixels, &to_pitch) != 0) return;
  for (int y = 0; y < part.h; ++y) {
    const std::uint32_t* from = first + y * picture.width();
    auto* to = reinterpret_cast<Uint32*>(static_cast<Uint8*>(pixels) + y * to_pitch);
    for (int x = 0; x < part.w; ++x)
      to[x] = (from[x] & 0xff00ff00) | ((from[x] >> 16) & 0xff) | ((from[x] & 0xff) << 16);
  }
  SDL_UnlockTexture(content_.get());
#else
  SDL_UpdateTexture(content_.get(), &rect, first, pitch);
#endif
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
    changed_ = dest;
    return;
  }
  drawn_at_ = output;
  changed_ = SDL_Rect{0, 0, output.w, output.h};
  SDL_RenderSetClipRect(r, nullptr);
  SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
  SDL_RenderClear(r);
  const PixelRect out = v.to_output({0, 0, w_, h_});
  const SDL_Rect whole{out.x, out.y, out.w, out.h};
  SDL_RenderCopy(r, content_.get(), nullptr, &whole);
}

void ScaledWindow::flip() {
#ifdef __EMSCRIPTEN__
  // SDL would copy the whole window into the canvas in JavaScript, a pixel at
  // a time. Here its surface's changed part is made opaque in wasm, and the
  // canvas takes those bytes as they are (XBGR in memory is the canvas's RGBA).
  SDL_RenderFlush(renderer_.get());
  SDL_Surface* surface = SDL_GetWindowSurface(window_.get());
  const SDL_Rect all{0, 0, surface ? surface->w : 0, surface ? surface->h : 0};
  SDL_Rect part{};
  if (surface && surface->format->format == SDL_PIXELFORMAT_XBGR8888 &&
      surface->pitch == surface->w * 4 && SDL_IntersectRect(&changed_, &all, &part)) {
    for (int y = part.y; y < part.y + part.h; ++y) {
      auto* row = static_cast<Uint32*>(surface->pixels) + y * surface->w;
      for (int x = part.x; x < part.x + part.w; ++x) row[x] |= 0xff000000;
    }
    put_on_canvas(surface->pixels, surface->w, surface->h, part.x, part.y, part.w, part.h);
    return;
  }
#endif
  SDL_RenderPresent(renderer_.get());
}

void ScaledWindow::toggle_fullscreen() {
#ifdef __EMSCRIPTEN__
  // In a page, the page owns fullscreen (its button does the same); the
  // canvas follows the page's size as in a window.
  EM_ASM({
    if (Module['toggleFullscreen']) Module['toggleFullscreen']();
  });
#else
  // The desktop's own mode: no mode change, the screen's size, the bars ours.
  // Leaving it, SDL gives the window back the size it had.
  const Uint32 to = fullscreen() ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP;
  if (SDL_SetWindowFullscreen(window_.get(), to) != 0)
    warn_on_stderr(std::string("cannot switch fullscreen: ") + SDL_GetError());
#endif
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
