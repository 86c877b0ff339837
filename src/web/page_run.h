// One run of the program in the page, on the browser's clock: the program
// core driven by the page's timeouts and by its events as they come (keys,
// touches, the mouse, controllers, focus), each handled at once; the
// window showing drawn on the canvas, and the "CC" box in the page.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "draw/game_picture.h"
#include "draw/title_picture.h"
#include "program/frontend_host.h"
#include "screen/touch.h"
#include "web/canvas.h"
#include "web/web_audio.h"

namespace glouton::web {

struct PageHooks : RunHooks {
  // Where the replay watched stands, when that changed; none: none is watched.
  std::function<void(const std::optional<ViewerPlace>&)> viewer;
  // The program has ended: the run may go.
  std::function<void()> ended;
};

class PageRun final : private FrontendHost {
 public:
  // Shows the title or, given a replay, opens straight on its game.
  PageRun(Canvas& canvas, WebSound& sound, WebMusic& music, const PageHooks& hooks,
          const std::vector<ReplayStep>* replay = nullptr);
  ~PageRun() override;

  bool running() const { return !program_.ended(); }
  // An input handled now.
  void feed(const Input& input);
  // A key pressed, with what it asks of the page first: M switches the
  // sound, Alt+Enter fullscreen. `place`: where it is on the keyboard.
  void key(int code, int place, bool repeat, bool alt);
  // A finger on the canvas, in CSS pixels: the keys it stands for, or a tap
  // on "GO !" or "CC".
  enum class Finger { down, move, up, cancel };
  void finger(Finger what, std::int64_t id, double css_x, double css_y);
  // The mouse's main button on the canvas, in CSS pixels: "GO !" and "CC".
  void mouse(bool down, double css_x, double css_y) { click(down, css_x, css_y, false); }
  // The page changed size: the picture is fitted again.
  void refit();

 private:
  // ProgramHost
  Surface& game_window_opened() override;
  void game_window_closed() override { game_.reset(); }
  Surface& game_window_blanked() override;

  std::int64_t real_ms() const override;
  // Every timer due runs, the canvas shows what changed, the next timeout is set.
  void wake();
  void schedule();
  void show();
  void show_box();
  // The button under the point, of the window showing; for a finger, in
  // the zone around it (finger_zone()).
  bool on_button(double css_x, double css_y, bool finger) const;
  // The mouse's button, or a finger on the title, going down or up there.
  void click(bool down, double css_x, double css_y, bool finger);
  void press_button(bool pressed);

  Canvas& canvas_;
  WebSound& sound_;
  const PageHooks& hooks_;
  Program program_;
  std::unique_ptr<draw::TitlePicture> title_;
  std::unique_ptr<draw::GamePicture> game_;
  const draw::WindowPicture* on_canvas_ = nullptr;
  bool title_seen_ = false;
  bool game_seen_ = false;
  bool button_pressed_ = false;
  TouchSteering touch_;
  double started_at_;
  long timeout_ = 0;  // the browser's, for the next wake; 0: none
  std::optional<ViewerPlace> viewer_shown_;
};

}  // namespace glouton::web
