// Where the title window's controls sit, in twips, and what they say.
#pragma once

#include <string_view>

#include "ports/geometry.h"

namespace glouton {

inline constexpr int form2_width = 10590;                        // 706 pixels
inline constexpr int form2_height = 7020;                        // 468 pixels
inline constexpr TwipRect label4_place{2685, 2220, 4290, 1155};  // the title
inline constexpr TwipRect label2_place{945, 210, 8025, 495};     // the subtitle
inline constexpr TwipRect label6_place{6630, 885, 2325, 285};    // the credit
inline constexpr TwipRect go_place{210, 6375, 990, 420};         // "GO !"

inline constexpr std::string_view title_text = "GLOUTON";
inline constexpr std::string_view subtitle_text = "Mangez tout, ne vous faites pas attraper !";
inline constexpr std::string_view credit_text = "par Glouton & Cie";
inline constexpr std::string_view go_caption = "GO !";

}  // namespace glouton
