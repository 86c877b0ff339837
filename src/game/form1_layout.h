// Where the game window's controls sit, in twips, as the window lays them
// out: its client area, the two text boxes, the "CC" button and the captions.
#pragma once

#include "ports/geometry.h"

namespace glouton {

inline constexpr int form1_width = 9660;   // 644 pixels
inline constexpr int form1_height = 6720;  // 448 pixels

inline constexpr TwipRect text1_place{8145, 600, 1230, 435};     // the score
inline constexpr TwipRect text3_place{5655, 75, 1215, 360};      // the best score
inline constexpr TwipRect command1_place{-30, 15, 405, 285};     // "CC"
inline constexpr TwipRect score_caption_corner{7710, 30, 0, 0};  // "SCORE", at its picture's size
inline constexpr TwipRect highs_caption_corner{4605, 75, 0, 0};  // "HighS:", at its picture's size

}  // namespace glouton
