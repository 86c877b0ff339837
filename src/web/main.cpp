// glouton in a web page: the same platform and program core as the desktop,
// woken by the browser's timeouts instead of a loop of its own. The
// page (web/index.html) sizes the canvas, owns fullscreen and shows the end
// card; it calls glouton_start() again for "Rejouer".
#include <SDL.h>
#include <SDL_mixer.h>
#include <emscripten.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

#include "platform/devices.h"
#include "platform/frontend.h"
#include "program/trace.h"

namespace {

namespace platform = glouton::platform;

// What lasts as long as the page: the screen, pictures, fonts and sound.
using Devices = platform::Devices;

// The page's side, in JavaScript (clang-format would take it for C++).
// clang-format off
// Until the player's first click or key the browser holds the sound back.
EM_JS(int, sound_held_back, (), {
  const sdl = Module['SDL2'];
  return sdl && sdl.audioContext && sdl.audioContext.state !== 'running' ? 1 : 0;
});
EM_JS(void, push_trace_line, (const char* line), {
  (window['gloutonTrace'] = window['gloutonTrace'] || []).push(UTF8ToString(line));
});
EM_JS(int, trace_asked, (), { return Module['gloutonTrace'] ? 1 : 0; });
// After the title's first frame has been painted (the timeout after the next
// animation frame): what can wait for it.
EM_JS(void, after_first_paint, (), {
  requestAnimationFrame(() => setTimeout(() => Module['_glouton_after_title'](), 0));
});
// The title's music is fetched after its first frame, not before it.
EM_JS(void, fetch_music, (), {
  fetch('musique-bis.ogg')
    .then((r) => r.ok ? r.arrayBuffer() : Promise.reject(new Error('HTTP ' + r.status)))
    .then((body) => {
      FS.writeFile('/gloutonone/musique-bis.ogg', new Uint8Array(body));
      Module['_glouton_music_arrived']();
    })
    .catch((e) => console.warn('the title music could not be fetched: ' + e.message));
});
EM_JS(void, tell_page, (const char* what), {
  const hook = Module[UTF8ToString(what)];
  if (hook) hook();
});
// clang-format on

constexpr int max_wait_ms = 10;

Devices* devices = nullptr;
platform::FrontendHooks hooks;
std::unique_ptr<platform::ProgramRun> run;

void wake() {
  if (!run) return;
  const bool still = run->wake();
  // Cues asked for while the sound is held back are dropped, not played late;
  // the music waits at its beginning and starts with the sound.
  if (devices->audio.opened() && sound_held_back() != 0) Mix_HaltChannel(-1);
  if (still) {
    // The next wake: when the core next needs one, and within 10 ms for the
    // player's keys. Timeouts, not animation frames: a hidden page gets no
    // frames, and the game goes on there as on the desktop (slowed to the
    // one timeout a second browsers allow a hidden page; late ticks fire once).
    const int due = run->wait_timeout();
    emscripten_set_main_loop_timing(EM_TIMING_SETTIMEOUT,
                                    due < 0 ? max_wait_ms : std::min(due, max_wait_ms));
    return;
  }
  emscripten_cancel_main_loop();
  run.reset();  // the windows close: the canvas is blank
  tell_page("gloutonEnded");
}

void trace_event(const glouton::Form1& form, const glouton::EventRecord& record,
                 std::int64_t wall) {
  std::string line;
  glouton::append_trace_line(line, form, record, nullptr, wall);
  if (!line.empty() && line.back() == '\n') line.pop_back();
  push_trace_line(line.c_str());
}

}  // namespace

// The cues' sounds are decoded after the title's first frame: no cue
// sounds before the player's first key or click.
extern "C" EMSCRIPTEN_KEEPALIVE void glouton_after_title() {
  devices->sound.read_files();
  fetch_music();
}

extern "C" EMSCRIPTEN_KEEPALIVE void glouton_music_arrived() {
  devices->music.arrived();
}

// A fresh run of the program, as a new program would start: the title window.
extern "C" EMSCRIPTEN_KEEPALIVE void glouton_start() {
  if (run) return;
  run = std::make_unique<platform::ProgramRun>(devices->pictures, devices->fonts, devices->sound,
                                               devices->music, devices->comforts, hooks);
  emscripten_set_main_loop(wake, 1000 / max_wait_ms, 0);
}

int main() {
  // Keys reach the game only while the canvas has the focus; the page keeps the rest.
  SDL_SetHint(SDL_HINT_EMSCRIPTEN_KEYBOARD_ELEMENT, "#canvas");
  devices = new Devices;  // the page's: never let go
  if (trace_asked() != 0) hooks.event = trace_event;
  hooks.title_first_frame = [] {
    tell_page("gloutonTitleShown");
    static bool scheduled = false;
    if (!std::exchange(scheduled, true)) after_first_paint();
  };
  glouton_start();
  return 0;
}
