// glouton: the game. Wires the SDL platform to the game's core.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "app/line_file.h"
#include "app/options.h"
#include "platform/devices.h"
#include "platform/frontend.h"
#include "platform/startup_error.h"
#include "program/replay.h"
#include "program/replay_link.h"

#ifndef GLOUTON_VERSION
#define GLOUTON_VERSION "0"
#endif

namespace {

using Steady = std::chrono::steady_clock;

bool timing_asked() {
  const char* v = std::getenv("GLOUTON_TIMING");
  return v && std::string_view(v) == "1";
}

struct Files {
  glouton::app::LineFile* trace = nullptr;
  glouton::app::LineFile* record = nullptr;
  const std::vector<glouton::ReplayStep>* replay = nullptr;
};

int run(const Files& files, Steady::time_point started) {
  namespace platform = glouton::platform;
  platform::Devices devices;

  platform::FrontendHooks hooks;
  if (glouton::app::LineFile* trace = files.trace) {
    // Each game window's lines count from its own load; a later one's follow.
    hooks.trace_line = [trace](std::string_view line) { trace->add_line(line); };
  }
  if (glouton::app::LineFile* record = files.record) {
    record->add_line(glouton::replay_header);
    record->flush();
    hooks.replay_line = [record](std::string_view line) { record->add_line(line); };
  }
  if (files.trace || files.record) {
    hooks.woke = [files] {
      if (files.trace) files.trace->flush();
      if (files.record) files.record->flush();
    };
  }
  if (timing_asked()) {
    hooks.title_first_frame = [started] {
      const std::chrono::duration<double, std::milli> ms = Steady::now() - started;
      std::fprintf(stderr, "glouton: title window shown %.1f ms after start\n", ms.count());
    };
    hooks.game_first_frame = [] { std::fprintf(stderr, "glouton: game window shown\n"); };
  }
  platform::run(devices, hooks, files.replay);
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
  const glouton::app::Options& options = parsed.options;
  std::vector<glouton::ReplayStep> replay;
  if (options.replay) {
    std::ifstream in;
    // A share link given as the argument itself, not in a file.
    std::error_code ec;
    const bool link = options.replay->find(glouton::replay_link_key) != std::string::npos &&
                      !std::filesystem::exists(*options.replay, ec);
    if (!link) in.open(*options.replay, std::ios::binary);
    // One byte past the longest replay or link is enough for the reader to refuse it.
    std::string text(glouton::replay_file_limit + 1, '\0');
    if (in) in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in ? text.size() : in.gcount()));
    if (link) text = *options.replay;
    if (!link && (in.bad() || (!in && !in.eof()))) {
      std::fprintf(stderr, "glouton: cannot read the replay %s\n", options.replay->c_str());
      return 2;
    }
    glouton::ReplayResult result = glouton::read_replay_or_link(text);
    if (!result.error.empty()) {
      std::fprintf(stderr, "glouton: %s\n", result.error.c_str());
      return 2;
    }
    replay = std::move(result.steps);
  }
  std::unique_ptr<glouton::app::LineFile> trace, record;
  for (auto [file, path, what] : {std::tuple{&trace, &options.trace, "trace"},
                                  std::tuple{&record, &options.record, "replay"}}) {
    if (!*path) continue;
    std::string error;
    *file = glouton::app::LineFile::create(**path, what, error);
    if (!*file) {
      std::fprintf(stderr, "glouton: %s\n", error.c_str());
      return 2;
    }
  }
  const Files files{trace.get(), record.get(), options.replay ? &replay : nullptr};
  try {
    return run(files, started);
  } catch (const glouton::platform::StartupError& e) {
    std::fprintf(stderr, "glouton: %s\n", e.what());
    return 1;
  }
}
