#include "platform/game_window.h"

#include "platform/controls.h"
#include "ports/keys.h"

namespace glouton::platform {

namespace {

PixelRect caption_place(const TwipRect& corner, const SDL_Surface* picture) {
  PixelRect r = to_pixels(corner);
  r.w = picture->w;
  r.h = picture->h;
  return r;
}

}  // namespace

GameWindow::GameWindow(const Pictures& pictures, const Fonts& fonts)
    : fonts_(fonts),
      window_(window_caption, canvas_width, canvas_height, pictures.sprite(Picture::glouton),
              "the game window"),
      canvas_(pictures) {
  score_caption_ = window_.texture_of(pictures.score_caption.get());
  highs_caption_ = window_.texture_of(pictures.highs_caption.get());
  score_caption_place_ = caption_place(score_caption_corner, pictures.score_caption.get());
  highs_caption_place_ = caption_place(highs_caption_corner, pictures.highs_caption.get());
  const PixelRect button = to_pixels(command1_place);
  button_up_ = window_.texture_of(draw_button(button.w, button.h, fonts.button, "CC", false).get());
  button_down_ =
      window_.texture_of(draw_button(button.w, button.h, fonts.button, "CC", true).get());
}

void GameWindow::handle(const SDL_Event& e, Program& program, std::int64_t now) {
  if (e.type == SDL_FINGERDOWN || e.type == SDL_FINGERMOTION || e.type == SDL_FINGERUP) {
    if (e.tfinger.windowID == id()) finger(e.tfinger, program, now);
    return;
  }
  if (e.type == SDL_WINDOWEVENT && e.window.windowID == id()) {
    if (needs_redraw(e.window)) redraw_ = true;
    if (e.window.event == SDL_WINDOWEVENT_CLOSE) program.feed(now, Input::close);
    return;
  }
  const PushButton::Outcome out = button_.handle(
      e, id(), [this](int x, int y) { return window_.on(to_pixels(command1_place), x, y); });
  if (out.redraw) redraw_ = true;
  if (out.clicked) program.feed(now, Input::cc);
}

void GameWindow::finger(const SDL_TouchFingerEvent& f, Program& program, std::int64_t now) {
  // SDL gives the finger's place as a share of the window: in CSS pixels.
  int w = 0, h = 0;
  SDL_GetWindowSize(window(), &w, &h);
  const double fx = f.x * static_cast<double>(w), fy = f.y * static_cast<double>(h);
  const double ratio = window_.units_per_css_pixel();
  const double x = fx / ratio, y = fy / ratio;
  const auto finger = static_cast<std::int64_t>(f.fingerId);
  std::optional<int> code;
  if (f.type == SDL_FINGERDOWN)
    code = touch_.down(finger, x, y, f.timestamp);
  else if (f.type == SDL_FINGERMOTION)
    code = touch_.move(finger, x, y, f.timestamp);
  else
    code = touch_.up(finger, x, y, f.timestamp);
  // A tap on "CC" is its click: SDL makes mouse events of the touch as well.
  const auto px = static_cast<int>(fx), py = static_cast<int>(fy);
  if (!code || (*code == key_space && window_.on(to_pixels(command1_place), px, py))) return;
  program.feed(now, Input::pressed(*code));
}

bool GameWindow::draw_box(ShownBox& shown, const TextBoxView& box, const PixelRect& place,
                          const TextBoxLook& look, const GlyphFont& font) {
  SurfacePtr drawn = draw_text_box(place.w, place.h, look, font, box.text, box.enabled);
  // A box that cannot be drawn keeps its last look rather than stopping the game.
  if (!drawn) return false;
  TexturePtr texture = window_.make_texture(drawn.get());
  if (!texture) return false;
  shown.texture = std::move(texture);
  return true;
}

bool GameWindow::show(const ProgramView& view, const ViewChanges& changes, bool whole) {
  const bool first = !shown_;
  if (view.caption != caption_) {
    caption_ = view.caption;
    SDL_SetWindowTitle(window(), caption_.c_str());
  }
  if (first) window_.show();
  whole = whole || first || redraw_;
  // Only what changed is drawn anew: a step of the glouton or a chaser is two cells.
  std::optional<SDL_Rect> part = canvas_.take_changed();
  if (part) window_.upload(canvas_.pixels(), *part);
  const auto add = [&part](const PixelRect& r) {
    const SDL_Rect box{r.x, r.y, r.w, r.h};
    part = part ? union_of(*part, box) : box;
  };
  const PixelRect text1 = to_pixels(text1_place), text3 = to_pixels(text3_place);
  if ((first || changes.score) && draw_box(score_, view.score, text1, text1_look, fonts_.score))
    add(text1);
  if ((first || changes.best) && draw_box(best_, view.best, text3, text3_look, fonts_.best))
    add(text3);
  if (!part && !whole) return false;

  std::optional<PixelRect> only;
  if (part && !whole) only = PixelRect{part->x, part->y, part->w, part->h};
  const View v = window_.begin_frame(only);
  window_.put(score_caption_.get(), score_caption_place_, v);
  window_.put(highs_caption_.get(), highs_caption_place_, v);
  window_.put(score_.texture.get(), text1, v);
  window_.put(best_.texture.get(), text3, v);
  window_.put((button_.pressed() ? button_down_ : button_up_).get(), to_pixels(command1_place), v);
  window_.present();
  shown_ = true;
  redraw_ = false;
  return first;
}

}  // namespace glouton::platform
