// One run of the program in the page, on the browser's clock: the program
// core driven by the page's timeouts and by its events as they come (keys,
// touches, the mouse, controllers, focus), each handled at once; the
// window showing drawn on the canvas, and the "CC" box in the page.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "draw/game_picture.h"
#include "draw/title_picture.h"
#include "program/program.h"
#include "screen/touch.h"
#include "web/canvas.h"
#include "web/web_audio.h"

namespace glouton::web {

struct PageHooks {
  // The trace line of every handled event; set, the run is traced.
  std::function<void(std::string_view)> trace_line;
  // One whole replay line; set, the run is recorded.
  std::function<void(std::string_view)> replay_line;
  // The first frame of the title, and of each game window, is on the canvas.
  std::function<void()> title_first_frame;
  std::function<void()> game_first_frame;
  // Where the replay watched stands, when that changed; none: none is watched.
  std::function<void(const std::optional<ViewerPlace>&)> viewer;
  // The program has ended: the run may go.
  std::function<void()> ended;
};

class PageRun final : private ProgramHost {
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
  void mouse(bool down, double css_x, double css_y);
  // The page changed size: the picture is fitted again.
  void refit();

 private:
  // ProgramHost
  Surface& game_window_opened() override;
  void game_window_closed() override { game_.reset(); }
  Surface& game_window_blanked() override;
  void game_event(std::string_view line) override;
  std::optional<std::int64_t> trace_wall() const override { return handler_start_ - game_loaded_; }
  void replay_line(std::string_view line) override { hooks_.replay_line(line); }

  std::int64_t real_ms() const;
  // Every timer due runs, the canvas shows what changed, the next timeout is set.
  void wake();
  void begin() { now_ = handler_start_ = real_ms(); }
  void schedule();
  void show();
  void show_box();
  // The button under the point, of the window showing.
  bool on_button(double css_x, double css_y) const;
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
  std::int64_t now_ = 0;
  std::int64_t game_loaded_ = 0;
  std::int64_t handler_start_ = 0;
  long timeout_ = 0;  // the browser's, for the next wake; 0: none
  std::optional<ViewerPlace> viewer_shown_;
};

}  // namespace glouton::web
