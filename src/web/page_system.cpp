// The page's windows (platform/window_system.h): they share the page's one
// canvas and follow its size, the page owns fullscreen, and a frame goes onto
// the canvas as it is, without SDL's copy in JavaScript.
#include "page_system.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "platform/scaled_window.h"
#include "platform/window_system.h"

namespace glouton::platform {

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

// The page's windows: they share its one canvas, and follow its size.
std::vector<ScaledWindow*> page_windows;

// In a page the canvas takes a phone's screen as well as a desktop's: where no
// whole scale fills 90 % of its room (a phone held upright fills 55 % at 1x,
// held sideways 77 % at 2x), a fractional one fills it. From 9x up a whole
// scale always fills 90 %.
constexpr int page_min_fill = 90;

// The window takes the room the page leaves the game, and places the canvas in it.
void fit_page(ScaledWindow& window) {
  const int w_ = window.content_size().w, h_ = window.content_size().h;
  double css_w = 0, css_h = 0;
  if (emscripten_get_element_css_size("#room", &css_w, &css_h) != EMSCRIPTEN_RESULT_SUCCESS) return;
  const double ratio = emscripten_get_device_pixel_ratio();
  const int room_w = std::max(1, static_cast<int>(std::lround(css_w * ratio)));
  const int room_h = std::max(1, static_cast<int>(std::lround(css_h * ratio)));
  const View v = fit_view(w_, h_, room_w, room_h, page_min_fill);
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
  SDL_GetWindowSize(window.window(), &now_w, &now_h);
  // SDL then sends SDL_WINDOWEVENT_SIZE_CHANGED, and the window is drawn anew.
  if (w != now_w || h != now_h) SDL_SetWindowSize(window.window(), w, h);
}

}  // namespace

void fit_page_windows() {
  // The newest window has the canvas: the one shown.
  if (!page_windows.empty()) fit_page(*page_windows.back());
}

namespace system {

audio::AudioDevice::Opening audio_opening() {
  return audio::AudioDevice::Opening::later;
}

Uint32 new_window_flags() {
  // The page's windows share one canvas, and SDL listens to it for each:
  // every key and touch would come once per window, a hidden title's too.
  // The newest window, the one shown, listens alone. (In a page the title
  // never shows again after the game window: Escape ends the program.)
  EM_ASM({ JSEvents.removeAllHandlersOnTarget(Module['canvas']); });
  // The window's size is the canvas's, in its own pixels, set by fit_page():
  // SDL's own HiDPI canvas would draw in CSS pixels only.
  return SDL_WINDOW_HIDDEN;
}

int min_fill() {
  return page_min_fill;
}

// The page's SDL, built without its fast blitters, stretches the picture by
// copying pixels (SDL_SoftStretch) when it is in the format of the surface it
// is shown on, instead of converting each one in its general blitter. Its
// canvas's surface is XBGR.
Uint32 content_format() {
  return SDL_PIXELFORMAT_BGR888;
}

void window_made(ScaledWindow& window) {
  page_windows.push_back(&window);
  fit_page(window);
}

void window_gone(ScaledWindow& window) {
  page_windows.erase(std::remove(page_windows.begin(), page_windows.end(), &window),
                     page_windows.end());
}

double units_per_css_pixel(SDL_Window* window) {
  double css_w = 0, css_h = 0;
  int w = 0, h = 0;
  SDL_GetWindowSize(window, &w, &h);
  if (emscripten_get_element_css_size("#canvas", &css_w, &css_h) != EMSCRIPTEN_RESULT_SUCCESS ||
      css_w <= 0)
    return emscripten_get_device_pixel_ratio();
  return w / css_w;
}

void upload(SDL_Texture* texture, const SDL_Rect& part, const std::uint32_t* first, int pitch) {
  // ARGB to XBGR: red and blue change places.
  void* pixels = nullptr;
  int to_pitch = 0;
  if (SDL_LockTexture(texture, &part, &pixels, &to_pitch) != 0) return;
  for (int y = 0; y < part.h; ++y) {
    const std::uint32_t* from = first + y * pitch;
    auto* to = reinterpret_cast<Uint32*>(static_cast<Uint8*>(pixels) + y * to_pitch);
    for (int x = 0; x < part.w; ++x)
      to[x] = (from[x] & 0xff00ff00) | ((from[x] >> 16) & 0xff) | ((from[x] & 0xff) << 16);
  }
  SDL_UnlockTexture(texture);
}

void present(SDL_Window* window, SDL_Renderer* renderer, const SDL_Rect& changed) {
  // SDL would copy the whole window into the canvas in JavaScript, a pixel at
  // a time. Here its surface's changed part is made opaque in wasm, and the
  // canvas takes those bytes as they are (XBGR in memory is the canvas's RGBA).
  SDL_RenderFlush(renderer);
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  const SDL_Rect all{0, 0, surface ? surface->w : 0, surface ? surface->h : 0};
  SDL_Rect part{};
  if (surface && surface->format->format == SDL_PIXELFORMAT_XBGR8888 &&
      surface->pitch == surface->w * 4 && SDL_IntersectRect(&changed, &all, &part)) {
    for (int y = part.y; y < part.y + part.h; ++y) {
      auto* row = static_cast<Uint32*>(surface->pixels) + y * surface->w;
      for (int x = part.x; x < part.x + part.w; ++x) row[x] |= 0xff000000;
    }
    put_on_canvas(surface->pixels, surface->w, surface->h, part.x, part.y, part.w, part.h);
    return;
  }
  SDL_RenderPresent(renderer);
}

void toggle_fullscreen(SDL_Window*) {
  // The page owns fullscreen (its button does the same); the canvas follows
  // the page's size as in a window.
  EM_ASM({
    if (Module['toggleFullscreen']) Module['toggleFullscreen']();
  });
}

}  // namespace system
}  // namespace glouton::platform
