// A window showing a picture of fixed size (its content) at the largest whole
// scale that fits, centred with bars around it: one streaming texture,
// updated where the picture changed.
// The title window and the game window are both one of these.
#pragma once

#include <optional>
#include <vector>

#include "draw/pixel_buffer.h"
#include "platform/sdl_handles.h"
#include "screen/fit.h"

namespace glouton::platform {

// The caption of both windows.
inline constexpr const char* window_caption = "Glouton";

// A new size, fullscreen, another screen, or the window shown again: the
// scale is worked out anew as the window is drawn.
bool needs_redraw(const SDL_WindowEvent& event);

class ScaledWindow {
 public:
  // Opens the window hidden, at the largest whole scale of the content that
  // fits the display. `what` names it in messages ("the game window").
  // Throws StartupError when SDL cannot make it.
  ScaledWindow(const char* caption, int content_w, int content_h, SDL_Surface* icon,
               const char* what);
  ~ScaledWindow() = default;
  ScaledWindow(const ScaledWindow&) = delete;
  ScaledWindow& operator=(const ScaledWindow&) = delete;

  SDL_Window* window() const { return window_.get(); }
  Uint32 id() const { return SDL_GetWindowID(window_.get()); }
  void show() { SDL_ShowWindow(window_.get()); }
  void hide() { SDL_HideWindow(window_.get()); }
  // Fullscreen on the window's screen at the largest whole scale, with bars;
  // back in a window at the size it had before.
  void toggle_fullscreen();
  bool fullscreen() const;

  // Puts the picture (the content's size) on the screen: its `changed`
  // rectangles into the window's texture, and that part of the window drawn
  // anew when the window still holds the last frame at the same size, else
  // all of it (with `whole` too), bars and all.
  void present(const draw::PixelBuffer& picture, const std::vector<PixelRect>& changed, bool whole);

  // A point of the window (as mouse events give it) in content pixels, at
  // any scale, fullscreen or not, on a HiDPI screen too.
  Point to_content(int window_x, int window_y) const;
  bool in_content(Point p) const { return PixelRect{0, 0, w_, h_}.contains(p.x, p.y); }
  // A point of the window (as mouse events give it) on a control at `place` (content pixels).
  bool on(const PixelRect& place, int window_x, int window_y) const {
    const Point p = to_content(window_x, window_y);
    return in_content(p) && place.contains(p.x, p.y);
  }

  // The picture's own size, in pixels.
  Size content_size() const { return {w_, h_}; }

 private:
  int w_, h_;
  WindowPtr window_;
  RendererPtr renderer_;
  TexturePtr content_;
  // SDL's software renderer draws into the window's own surface, which keeps
  // the last frame: a frame then needs only its changed part drawn.
  bool keeps_frame_ = false;
  std::optional<Size> drawn_at_;  // the output size of the last frame drawn whole

  void upload(const draw::PixelBuffer& picture, const PixelRect& part);
  // Draws the bars and the content, or only `part` of it (content pixels).
  void draw_frame(const std::optional<PixelRect>& part);
  void flip();
};

}  // namespace glouton::platform
