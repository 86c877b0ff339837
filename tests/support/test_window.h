// A game window for tests: a recording surface and sound device, a clock the
// test sets, and a record of every event when played through the simulator.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "game/form1.h"
#include "program/event_order.h"
#include "sim/simulation.h"

namespace glouton::testing {

struct PlayedFile {
  std::string file;
  bool hold;
  bool operator==(const PlayedFile&) const = default;
};

class RecordingDevice final : public SoundDevice {
 public:
  void open() override { calls.push_back("open"); }
  void close() override { calls.push_back("close"); }
  void beep() override { calls.push_back("beep"); }
  void play(const std::string& file, bool hold) override {
    calls.push_back("play " + file);
    played.push_back({file, hold});
  }
  std::vector<std::string> calls;
  std::vector<PlayedFile> played;
};

// A window whose handlers the test calls directly.
struct TestWindow {
  Clock clock;
  RecordingSurface surface{true};
  RecordingDevice sound;
  NoDialogs dialogs;
  Form1 form{clock, surface, sound, dialogs};
};

// What one event of a simulated run left behind.
struct Step {
  EventRecord record;
  GameState state;
  std::string text1, text3;
  bool boxes = false;
  std::array<int, 3> intervals{};
  std::vector<Paint> paints;

  bool painted(Picture picture, int x, int y) const {
    for (const Paint& p : paints)
      if (p.picture == picture && p.x == x && p.y == y) return true;
    return false;
  }
};

// Plays a key script through the simulator and keeps every step.
inline std::vector<Step> play(const std::vector<KeyEvent>& keys, std::int64_t until) {
  std::vector<Step> steps;
  Simulation sim(true);
  sim.run(keys, until, [&](const Form1& f, const EventRecord& r, std::vector<Paint>&& paints) {
    steps.push_back({r,
                     f,
                     f.Text1.Text,
                     f.Text3.Text,
                     f.Text1.Enabled && f.Text3.Enabled,
                     {f.Timer2.Interval(), f.Timer3.Interval(), f.Timer4.Interval()},
                     std::move(paints)});
  });
  return steps;
}

// The step of event `ev` at time t, or nullptr.
inline const Step* find(const std::vector<Step>& steps, std::int64_t t, Event ev) {
  for (const Step& s : steps)
    if (s.record.t == t && s.record.ev == ev) return &s;
  return nullptr;
}

}  // namespace glouton::testing
