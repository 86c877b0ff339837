// What the windows show besides their paints, as the program core tells a
// frontend: which window shows, the windows' title, the game's two text
// boxes, the title's face, the "CC" box the game asks for and where a
// watched replay stands. A frontend
// draws from this and from the paints alone; it never reads the game's state.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "program/window_flow.h"
#include "title/form2.h"

namespace glouton {

struct TextBoxView {
  std::string text;
  bool enabled = false;
  bool operator==(const TextBoxView&) const = default;
};

// The information box the "CC" button asks for, until the frontend closes it.
struct InformationBox {
  std::string_view prompt;
  std::string_view title;
  bool operator==(const InformationBox&) const = default;
};

inline constexpr std::string_view program_caption = "Glouton";

// Where a watched replay stands, for any frontend to show: the replay's time
// reached and its length (ms), its speed ("×4"), whether it is paused.
struct ViewerPlace {
  std::int64_t at = 0;
  std::int64_t end = 0;
  std::string_view speed;
  bool paused = false;
  bool operator==(const ViewerPlace&) const = default;
};

struct ProgramView {
  Showing window = Showing::nothing;
  std::string caption{program_caption};  // the windows' title
  std::optional<ViewerPlace> viewer;     // while a replay is watched
  TextBoxView score;                     // Text1
  TextBoxView best;                      // Text3, the best score
  // Image1, the title's face: its top-left corner in twips.
  int face_left = face_design_left;
  int face_top = face_design_top;
  std::optional<InformationBox> box;
};

// Which parts of the view changed since the frontend last asked.
struct ViewChanges {
  bool window = false;
  bool score = false;
  bool best = false;
  bool face = false;
  bool box = false;
  bool caption = false;
  bool any() const { return window || score || best || face || box || caption; }
  bool operator==(const ViewChanges&) const = default;
};

}  // namespace glouton
