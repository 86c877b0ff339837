// glouton: the game. Wires the SDL platform to the game's core.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/options.h"
#include "app/trace_file.h"
#include "platform/audio_device.h"
#include "platform/comforts.h"
#include "platform/fonts.h"
#include "platform/game_loop.h"
#include "platform/mixer_device.h"
#include "platform/music_player.h"
#include "platform/pictures.h"
#include "platform/sdl_context.h"
#include "platform/startup_error.h"
#include "platform/title_loop.h"

#ifndef GLOUTON_VERSION
#define GLOUTON_VERSION "0"
#endif

namespace {

using Steady = std::chrono::steady_clock;

bool timing_asked() {
  const char* v = std::getenv("GLOUTON_TIMING");
  return v && std::string_view(v) == "1";
}

int play(glouton::app::TraceFile* trace, Steady::time_point started) {
  namespace platform = glouton::platform;
  platform::SdlContext sdl;
  const platform::Pictures pictures = platform::load_pictures();
  const platform::Fonts fonts = platform::open_fonts();
  // One audio output for the program: the title's music and the game's sounds share it.
  const platform::AudioDevice audio;
  platform::MixerDevice sound(audio);
  platform::MusicPlayer music(audio);  // read now, so that it starts with the title window
  platform::Controllers controllers;
  platform::SoundSwitch sound_switch;
  platform::Comforts comforts{controllers, sound_switch};

  platform::GameWindowHooks game_hooks;
  if (trace) {
    // Each game window's lines count from its own load; a later one's follow.
    game_hooks.event = [trace](const glouton::Form1& form, const glouton::EventRecord& record,
                               std::int64_t wall) { trace->add(form, record, wall); };
    game_hooks.woke = [trace] { trace->flush(); };
  }
  platform::TitleHooks title_hooks;
  if (timing_asked()) {
    title_hooks.first_frame = [started] {
      const std::chrono::duration<double, std::milli> ms = Steady::now() - started;
      std::fprintf(stderr, "glouton: title window shown %.1f ms after start\n", ms.count());
    };
    game_hooks.first_frame = [] { std::fprintf(stderr, "glouton: game window shown\n"); };
  }
  platform::run_program(pictures, fonts, sound, music, comforts, game_hooks, title_hooks);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const Steady::time_point started = Steady::now();
  const glouton::app::Parsed parsed =
      glouton::app::parse_options(std::vector<std::string>(argv + 1, argv + argc));
  if (parsed.error) {
    std::fprintf(stderr, "glouton: %s\n%s", parsed.error->c_str(), glouton::app::usage);
    return 2;
  }
  switch (parsed.options.action) {
    case glouton::app::Action::help:
      std::fputs(glouton::app::usage, stdout);
      return 0;
    case glouton::app::Action::version:
      std::puts("glouton " GLOUTON_VERSION);
      return 0;
    case glouton::app::Action::play:
      break;
  }
  std::unique_ptr<glouton::app::TraceFile> trace;
  if (parsed.options.trace) {
    std::string error;
    trace = glouton::app::TraceFile::create(*parsed.options.trace, error);
    if (!trace) {
      std::fprintf(stderr, "glouton: %s\n", error.c_str());
      return 2;
    }
  }
  try {
    return play(trace.get(), started);
  } catch (const glouton::platform::StartupError& e) {
    std::fprintf(stderr, "glouton: %s\n", e.what());
    return 1;
  }
}
