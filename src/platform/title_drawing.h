// What the title window shows under its button: the red form with its three
// labels painted once, and the face wherever the title's logic last put it.
// Like the game's canvas, it remembers which part changed.
#pragma once

#include <optional>

#include "platform/fonts.h"
#include "platform/sdl_handles.h"

namespace glouton::platform {

class TitleDrawing {
 public:
  // Throws StartupError when the drawing cannot be made. The face must
  // outlive the drawing; it first stands at its design place.
  TitleDrawing(SDL_Surface* face, const Fonts& fonts);

  // Moves the face to (left, top) twips: its old place is painted red again.
  void place_face(int left_twips, int top_twips);

  const SDL_Surface& pixels() const { return *surface_; }
  // The part painted since the last call, if any.
  std::optional<SDL_Rect> take_changed();
  bool changed() const { return changed_.has_value(); }

 private:
  void mark(const SDL_Rect& r);

  SDL_Surface* face_;
  SurfacePtr surface_;
  SDL_Rect face_at_{};  // where the face is painted, in pixels
  std::optional<SDL_Rect> changed_;
};

}  // namespace glouton::platform
