// The inputs of a game window, by one set of names: the program's entry
// points take them, the recorder writes them into a replay, and a replay's
// reader gives them back, each under the word of the table below.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace glouton {

enum class Input {
  load,   // a fresh game window loads; its clock starts at 0
  key,    // a key press reached the game (with its virtual key code)
  cc,     // the "CC" button was clicked: the information box opens
  ok,     // the information box was closed
  close,  // the window's frame was closed
  quit,   // the session asked the program to end
  wake,   // no input: the window woke and ran every timer due by then
};

struct InputWord {
  Input input;
  std::string_view word;  // empty: the input is never written
};

inline constexpr std::array<InputWord, 7> input_words = {{{Input::load, "load"},
                                                          {Input::key, "key"},
                                                          {Input::cc, "cc"},
                                                          {Input::ok, "ok"},
                                                          {Input::close, "close"},
                                                          {Input::quit, "quit"},
                                                          {Input::wake, ""}}};

constexpr std::string_view word_of(Input input) {
  for (const InputWord& w : input_words)
    if (w.input == input) return w.word;
  return {};
}

constexpr std::optional<Input> input_named(std::string_view word) {
  for (const InputWord& w : input_words)
    if (!w.word.empty() && w.word == word) return w.input;
  return std::nullopt;
}

}  // namespace glouton
