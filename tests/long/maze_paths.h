// Distances through the maze for the key bot: breadth-first search over the
// grid's open cells, with cells the bot wants to keep away from left out.
#pragma once

#include <array>
#include <optional>

#include "game/state.h"

namespace glouton::bot {

inline constexpr int cell_count = rows * columns;
inline constexpr int unreachable = -1;

struct Move {
  int dx = 0, dy = 0;
  bool operator==(const Move&) const = default;
};

// The four steps in the order the bot tries them: left, up, right, down.
inline constexpr std::array<Move, 4> moves = {{{-1, 0}, {0, -1}, {1, 0}, {0, 1}}};

constexpr int cell_index(int x, int y) {
  return (y - 1) * columns + (x - 1);
}
constexpr bool inside(int x, int y) {
  return x >= 1 && x <= columns && y >= 1 && y <= rows;
}

using CellFlags = std::array<bool, cell_count>;
using Distances = std::array<int, cell_count>;

bool is_open(const Grid& g, int x, int y);

// Steps from (x, y) to every open cell, not passing through `avoid` (the start
// cell is always taken); unreachable cells hold `unreachable`.
Distances distances_from(const Grid& g, int x, int y, const CellFlags* avoid = nullptr);

// The first step of a shortest path from (x, y) to the nearest cell holding a
// pellet or the bonus, not passing through `avoid`; nullopt when there is none.
std::optional<Move> step_to_food(const Grid& g, int x, int y, const CellFlags* avoid = nullptr);

}  // namespace glouton::bot
