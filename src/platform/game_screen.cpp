#include "platform/game_screen.h"

#include <algorithm>

#include "platform/controls.h"
#include "platform/startup_error.h"

namespace glouton::platform {

namespace {

// Room left for the window's frame and title bar when choosing the scale.
constexpr int frame_allowance_w = 16;
constexpr int frame_allowance_h = 64;

int initial_scale() {
  SDL_Rect usable{};
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return 1;
  return whole_scale(canvas_width, canvas_height, usable.w - frame_allowance_w,
                     usable.h - frame_allowance_h);
}

SDL_Rect sdl_rect(const PixelRect& r) {
  return {r.x, r.y, r.w, r.h};
}

PixelRect caption_place(const TwipRect& corner, const SDL_Surface* picture) {
  PixelRect r = to_pixels(corner);
  r.w = picture->w;
  r.h = picture->h;
  return r;
}

}  // namespace

GameScreen::GameScreen(const Pictures& pictures, const Fonts& fonts) : fonts_(fonts) {
  // Whole-factor scaling of pixel art: no smoothing.
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
  const int k = initial_scale();
  window_.reset(SDL_CreateWindow(window_caption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                 canvas_width * k, canvas_height * k,
                                 SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE));
  if (!window_) throw StartupError(std::string("cannot open the game window: ") + SDL_GetError());
  SDL_SetWindowMinimumSize(window_.get(), canvas_width, canvas_height);
  SDL_SetWindowIcon(window_.get(), pictures.sprite(Picture::glouton));

  renderer_.reset(SDL_CreateRenderer(window_.get(), -1, 0));
  if (!renderer_)
    throw StartupError(std::string("cannot draw in the game window: ") + SDL_GetError());
  canvas_texture_.reset(SDL_CreateTexture(
      renderer_.get(), pixel_format, SDL_TEXTUREACCESS_STREAMING, canvas_width, canvas_height));
  if (!canvas_texture_)
    throw StartupError(std::string("cannot make the canvas texture: ") + SDL_GetError());
  SDL_SetTextureBlendMode(canvas_texture_.get(), SDL_BLENDMODE_NONE);

  score_caption_ = texture_of(pictures.score_caption.get());
  highs_caption_ = texture_of(pictures.highs_caption.get());
  score_caption_place_ = caption_place(image2_corner, pictures.score_caption.get());
  highs_caption_place_ = caption_place(image1_corner, pictures.highs_caption.get());
  const PixelRect button = to_pixels(command1_place);
  button_up_ = texture_of(draw_button(button.w, button.h, fonts.button.get(), "CC", false).get());
  button_down_ = texture_of(draw_button(button.w, button.h, fonts.button.get(), "CC", true).get());
}

TexturePtr GameScreen::texture_of(SDL_Surface* surface) const {
  if (!surface) throw StartupError(std::string("cannot draw a control: ") + SDL_GetError());
  TexturePtr texture(SDL_CreateTextureFromSurface(renderer_.get(), surface));
  if (!texture) throw StartupError(std::string("cannot make a texture: ") + SDL_GetError());
  return texture;
}

bool GameScreen::text_boxes_changed(const Form1& form) const {
  return !boxes_drawn_ || form.Text1.Text != text1_.text || form.Text1.Enabled != text1_.enabled ||
         form.Text3.Text != text3_.text || form.Text3.Enabled != text3_.enabled;
}

void GameScreen::refresh_box(ShownBox& shown, const TextBox& box, const PixelRect& place,
                             const TextBoxLook& look, TTF_Font* font) {
  if (shown.texture && shown.text == box.Text && shown.enabled == box.Enabled) return;
  SurfacePtr drawn = draw_text_box(place.w, place.h, look, font, box.Text, box.Enabled);
  // A box that cannot be drawn keeps its last look rather than stopping the game.
  if (!drawn) return;
  TexturePtr texture(SDL_CreateTextureFromSurface(renderer_.get(), drawn.get()));
  if (!texture) return;
  shown.texture = std::move(texture);
  shown.text = box.Text;
  shown.enabled = box.Enabled;
}

View GameScreen::view() const {
  int w = canvas_width, h = canvas_height;
  SDL_GetRendererOutputSize(renderer_.get(), &w, &h);
  return fit_view(canvas_width, canvas_height, w, h);
}

void GameScreen::present(Canvas& canvas, const Form1& form) {
  if (const std::optional<SDL_Rect> changed = canvas.take_changed()) {
    const SDL_Surface& pixels = canvas.pixels();
    const auto* first = static_cast<const Uint8*>(pixels.pixels) + changed->y * pixels.pitch +
                        changed->x * pixels.format->BytesPerPixel;
    SDL_UpdateTexture(canvas_texture_.get(), &*changed, first, pixels.pitch);
  }
  const PixelRect text1 = to_pixels(text1_place), text3 = to_pixels(text3_place);
  refresh_box(text1_, form.Text1, text1, text1_look, fonts_.score.get());
  refresh_box(text3_, form.Text3, text3, text3_look, fonts_.best.get());
  boxes_drawn_ = true;

  SDL_Renderer* r = renderer_.get();
  const View v = view();
  SDL_RenderSetClipRect(r, nullptr);
  SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
  SDL_RenderClear(r);
  const SDL_Rect whole = sdl_rect(v.to_output({0, 0, canvas_width, canvas_height}));
  SDL_RenderCopy(r, canvas_texture_.get(), nullptr, &whole);
  // Controls that reach past the canvas's edge ("CC") are cut there, not drawn on the bars.
  SDL_RenderSetClipRect(r, &whole);
  auto put = [&](SDL_Texture* texture, const PixelRect& place) {
    if (!texture) return;
    const SDL_Rect dest = sdl_rect(v.to_output(place));
    SDL_RenderCopy(r, texture, nullptr, &dest);
  };
  put(score_caption_.get(), score_caption_place_);
  put(highs_caption_.get(), highs_caption_place_);
  put(text1_.texture.get(), text1);
  put(text3_.texture.get(), text3);
  put((button_pressed_ ? button_down_ : button_up_).get(), to_pixels(command1_place));
  SDL_RenderPresent(r);
}

Point GameScreen::to_canvas(int window_x, int window_y) const {
  // Mouse positions come in window units, drawing in output pixels: they differ on a HiDPI screen.
  int ww = 1, wh = 1, ow = 1, oh = 1;
  SDL_GetWindowSize(window_.get(), &ww, &wh);
  SDL_GetRendererOutputSize(renderer_.get(), &ow, &oh);
  const int ox = ww > 0 ? window_x * ow / ww : window_x;
  const int oy = wh > 0 ? window_y * oh / wh : window_y;
  return view().to_canvas(ox, oy);
}

bool GameScreen::on_button(Point p) const {
  const PixelRect visible_canvas{0, 0, canvas_width, canvas_height};
  return visible_canvas.contains(p.x, p.y) && to_pixels(command1_place).contains(p.x, p.y);
}

}  // namespace glouton::platform
