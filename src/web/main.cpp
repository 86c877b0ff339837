// glouton in a web page, on the browser's own devices (no SDL): the program
// core driven by the page's timeouts and events (web/page_run.h), drawn on
// its canvas. The page (web/index.html) sizes the room, owns fullscreen and
// shows the end card; it calls glouton_start() again for "Rejouer",
// glouton_press() for its "Son" and "Quitter" buttons, and glouton_seek() for
// the viewer's bar.
#include <emscripten.h>
#include <emscripten/eventloop.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "program/replay.h"
#include "program/replay_link.h"
#include "sim/summary.h"
#include "web/page_input.h"
#include "web/page_run.h"
#include "web/web_audio.h"

namespace {

namespace web = glouton::web;

// The page's side, in JavaScript (clang-format would take it for C++).
// clang-format off
EM_JS(void, push_trace_line, (const char* line), {
  (window['gloutonTrace'] = window['gloutonTrace'] || []).push(UTF8ToString(line));
});
EM_JS(int, trace_asked, (), { return Module['gloutonTrace'] ? 1 : 0; });
// The reader's English reason, on the console, where standard error goes (no
// printf in the page: it would weigh 6 kB).
EM_JS(void, warn_on_console, (const char* line), { console.warn(UTF8ToString(line)); });
// The page opened on a replay's link: it starts that, or the title, itself.
EM_JS(int, start_held, (), { return Module['gloutonHoldStart'] ? 1 : 0; });
// The run's replay, a line at a time; a fresh run starts it anew with its header.
EM_JS(void, start_replay, (const char* header), {
  window['gloutonReplay'] = [UTF8ToString(header)];
});
EM_JS(void, push_replay_line, (const char* line, int length), {
  window['gloutonReplay'].push(UTF8ToString(line, length));
});
// After the title's first frame has been painted (the timeout after the next
// animation frame): what can wait for it.
EM_JS(void, after_first_paint, (), {
  requestAnimationFrame(() => setTimeout(() => Module['_glouton_after_title'](), 0));
});
// Where a watched replay stands, from the program's view, for the page's
// strip and bar (web/replay.js); null while none is watched.
EM_JS(void, tell_viewer, (double at, double end, const char* speed, int paused), {
  Module['gloutonViewer'] = end < 0 ? null : {at: at, end: end, speed: UTF8ToString(speed), paused: paused !== 0};
});
EM_JS(void, tell_page, (const char* what), {
  const hook = Module[UTF8ToString(what)];
  if (hook) hook();
});
// clang-format on

web::Canvas canvas;
web::WebSound sound;
web::WebMusic music;
web::PageHooks hooks;        // a run the player plays: recorded
web::PageHooks watch_hooks;  // a replay watched: not recorded again
std::unique_ptr<web::PageRun> run;
bool ending = false;  // the run ended, and goes at the next turn of the browser
std::vector<glouton::ReplayStep> watched;

// Tells the page where the replay watched stands.
void show_viewer(const std::optional<glouton::ViewerPlace>& place) {
  if (!place) return tell_viewer(0, -1, "", 0);
  tell_viewer(static_cast<double>(place->at), static_cast<double>(place->end),
              std::string(place->speed).c_str(), place->paused ? 1 : 0);
}

// The program ended: the run goes once its handler has returned, and the
// page hides the canvas behind its end card. (A timeout of the event loop's
// library: emscripten_async_call would bring the whole of emscripten's
// Browser library into glouton.js, a third of it.)
void ended() {
  if (std::exchange(ending, true)) return;
  emscripten_set_timeout(
      [](void*) {
        ending = false;
        if (!run || run->running()) return;
        run.reset();
        tell_page("gloutonEnded");
      },
      0, nullptr);
}

web::PageRun* showing() {
  return run && run->running() ? run.get() : nullptr;
}

void trace_line(std::string_view line) {
  push_trace_line(std::string(line).c_str());
}

// Whether a recorded line holds an arrow key: the player's first turn, which
// ends the page's hint of the controls.
bool steers(std::string_view line) {
  for (const std::string_view arrow : {" key 37", " key 38", " key 39", " key 40"}) {
    const std::size_t at = line.find(arrow);
    if (at != std::string_view::npos &&
        (at + arrow.size() == line.size() || line[at + arrow.size()] == ' '))
      return true;
  }
  return false;
}

// A replay refused: the reader's English on the console, and for the page
// its reason and line ("bad_key:12"), which it says in its own words.
const char* refuse(const std::string& error, std::string_view reason, std::int64_t line) {
  static std::string told;
  warn_on_console(("glouton: " + error).c_str());
  told = std::string(reason) + ':' + std::to_string(line);
  return told.c_str();
}

}  // namespace

// A key press from the page, as if from the keyboard: 77 (M) for "Son", 27
// (Escape) for "Quitter".
extern "C" EMSCRIPTEN_KEEPALIVE void glouton_press(int code) {
  if (web::PageRun* r = showing()) r->key(code, -1, false, false);
}

// The viewer's bar: the replay goes to `at` ms of its time.
extern "C" EMSCRIPTEN_KEEPALIVE void glouton_seek(double at) {
  if (web::PageRun* r = showing()) r->feed(glouton::Input::seek_to(static_cast<std::int64_t>(at)));
}

// Whether the M key's switch has the sound on, for the "Son" button's look.
extern "C" EMSCRIPTEN_KEEPALIVE int glouton_sound_on() {
  return web::muted() ? 0 : 1;
}

// The audio starts, the sounds and the music are fetched, and the page's
// other events are listened to after the title's first frame: it waits for
// none of them.
extern "C" EMSCRIPTEN_KEEPALIVE void glouton_after_title() {
  web::start_audio();
  web::listen_to_the_page();
}

// A fresh run of the program, as a new program would start: the title window.
extern "C" EMSCRIPTEN_KEEPALIVE void glouton_start() {
  if (run) return;
  start_replay(std::string(glouton::replay_header).c_str());
  run = std::make_unique<web::PageRun>(canvas, sound, music, hooks);
}

// Shows the replay in `text` (`length` bytes) in the game window, the viewer's
// keys steering it, in place of the run showing, if any. Returns "" when it
// plays, else why not ("REASON:LINE", ReplayResult's), and then nothing
// plays and the run showing goes on.
extern "C" EMSCRIPTEN_KEEPALIVE const char* glouton_watch(const char* text, int length) {
  glouton::ReplayResult parsed =
      glouton::parse_replay(std::string_view(text, static_cast<std::size_t>(std::max(length, 0))));
  if (!parsed.error.empty()) return refuse(parsed.error, parsed.reason, parsed.line);
  if (std::none_of(parsed.steps.begin(), parsed.steps.end(),
                   [](const auto& s) { return s.input == glouton::Input::load; }))
    return refuse("replay: no game in it", "no_game", 1);
  run.reset();
  watched = std::move(parsed.steps);
  run = std::make_unique<web::PageRun>(canvas, sound, music, watch_hooks, &watched);
  return "";
}

// clang-format off
// The text of a replay a link holds, for the end card's "Enregistrer" and "Partager".
EM_JS(void, keep_link_text, (const char* text, int length), {
  Module['gloutonLinkText'] = HEAPU8.slice(text, text + length);
});
// clang-format on

// Shows the replay of a share link (`#replay=...`, or the page's whole
// address), read as every program reads one (program/replay_link.h), as
// glouton_watch does. Returns "" when it plays, else why not.
extern "C" EMSCRIPTEN_KEEPALIVE const char* glouton_watch_link(const char* link, int length) {
  const glouton::ReplayLinkText inflated = glouton::inflate_replay_link(
      std::string_view(link, static_cast<std::size_t>(std::max(length, 0))));
  if (!inflated.error.empty()) return refuse(inflated.error, inflated.reason, 1);
  const char* why = glouton_watch(inflated.text.data(), static_cast<int>(inflated.text.size()));
  if (*why == '\0') keep_link_text(inflated.text.data(), static_cast<int>(inflated.text.size()));
  return why;
}

// What the page's records keep of a run: `{"score":..,"levels":..,"length_ms":..}`
// for the replay in `text` (`length` bytes), the score as the board ranks it
// (the highest its games reached), played again on the program core as the
// board does; "" for a replay the game refuses.
extern "C" EMSCRIPTEN_KEEPALIVE const char* glouton_run_summary(const char* text, int length) {
  static std::string line;
  const glouton::ReplayResult parsed =
      glouton::parse_replay(std::string_view(text, static_cast<std::size_t>(std::max(length, 0))));
  if (!parsed.error.empty()) return "";
  const glouton::ReplaySummary summary = glouton::summarize_replay(parsed.steps);
  line = "{\"score\":" + std::to_string(glouton::run_score(summary)) +
         ",\"levels\":" + std::to_string(summary.levels) +
         ",\"length_ms\":" + std::to_string(summary.time) + "}";
  return line.c_str();
}

int main() {
  if (trace_asked() != 0) hooks.trace_line = trace_line;
  // The sounds and the music come after the first frame, the title's or, on
  // a replay's link, the game's.
  static bool sounds_scheduled = false;
  hooks.title_first_frame = [] {
    tell_page("gloutonTitleShown");
    if (!std::exchange(sounds_scheduled, true)) after_first_paint();
  };
  hooks.game_first_frame = [] {
    tell_page("gloutonGameShown");
    if (!std::exchange(sounds_scheduled, true)) after_first_paint();
  };
  hooks.viewer = show_viewer;
  hooks.ended = ended;
  watch_hooks = hooks;
  hooks.replay_line = [](std::string_view line) {
    push_replay_line(line.data(), static_cast<int>(line.size()));
    if (steers(line)) tell_page("gloutonTurned");
  };
  web::listen(showing);
  if (start_held() == 0) glouton_start();
  return 0;
}
