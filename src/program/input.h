// Every input the program takes, by one set of names, whatever device it
// came from: the keyboard, a controller, a click, a finger (as the keys
// screen/touch.h makes of it), the page's buttons, the replay viewer's bar,
// the window's frame and the session. A game window's inputs also make up
// a replay: the recorder writes them, and a replay's reader gives them
// back, each under the word of the table below.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace glouton {

// What a game controller did: the D-pad or stick, its south (A) and east (B) buttons.
enum class PadPress { left, up, right, down, south, east };

struct Input {
  enum class Kind {
    // A game window's, written in a replay.
    load,   // a fresh game window loads; its clock starts at 0
    key,    // a key press (its virtual key code)
    cc,     // the "CC" button was clicked: the information box opens
    ok,     // the information box was closed
    close,  // the frame of the window showing was closed
    quit,   // the session asked the program to end
    wake,   // no input: the window woke and ran every timer due by then
    // The devices' alone, never written.
    key_up,      // a key was let go (its place)
    pad,         // a controller's press
    go,          // the title's "GO !" button was clicked
    focus_lost,  // the windows lost the keyboard's focus
    seek,        // the replay viewer goes to a place of the replay
  };
  using enum Kind;

  constexpr Input(Kind k = wake) : kind(k) {}  // NOLINT: an input with nothing more to it

  // A key press: its virtual key code, its place on the keyboard (-1 when
  // it has none), whether it is the key's repeat, and whether the frontend
  // took it for a comfort (fullscreen, mute).
  static constexpr Input pressed(int code, int place = -1, bool repeat = false,
                                 bool comfort = false) {
    Input in(key);
    in.code = code;
    in.place = place;
    in.repeat = repeat;
    in.comfort = comfort;
    return in;
  }
  static constexpr Input released(int place) {
    Input in(key_up);
    in.place = place;
    return in;
  }
  static constexpr Input from_pad(PadPress press) {
    Input in(pad);
    in.press = press;
    return in;
  }
  // `at`: the replay's time, in ms, the viewer goes to.
  static constexpr Input seek_to(std::int64_t at) {
    Input in(seek);
    in.at = at;
    return in;
  }

  Kind kind;
  int code = 0;
  int place = -1;
  bool repeat = false;
  bool comfort = false;
  PadPress press = PadPress::south;
  std::int64_t at = 0;
};

struct InputWord {
  Input::Kind input;
  std::string_view word;  // empty: the input is never written
};

inline constexpr std::array<InputWord, 7> input_words = {{{Input::load, "load"},
                                                          {Input::key, "key"},
                                                          {Input::cc, "cc"},
                                                          {Input::ok, "ok"},
                                                          {Input::close, "close"},
                                                          {Input::quit, "quit"},
                                                          {Input::wake, ""}}};

constexpr std::string_view word_of(Input::Kind input) {
  for (const InputWord& w : input_words)
    if (w.input == input) return w.word;
  return {};
}

constexpr std::optional<Input::Kind> input_named(std::string_view word) {
  for (const InputWord& w : input_words)
    if (!w.word.empty() && w.word == word) return w.input;
  return std::nullopt;
}

}  // namespace glouton
