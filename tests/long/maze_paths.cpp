// Breadth-first search over the maze for the key bot.
#include "maze_paths.h"

namespace glouton::bot {

bool is_open(const Grid& g, int x, int y) {
  return inside(x, y) && g(y, x) != mur;
}

Distances distances_from(const Grid& g, int x, int y, const CellFlags* avoid) {
  Distances dist;
  dist.fill(unreachable);
  if (!is_open(g, x, y)) return dist;
  std::array<int, cell_count> queue{};
  int head = 0, tail = 0;
  dist[static_cast<std::size_t>(cell_index(x, y))] = 0;
  queue[static_cast<std::size_t>(tail++)] = cell_index(x, y);
  while (head < tail) {
    const int at = queue[static_cast<std::size_t>(head++)];
    const int cx = at % columns + 1, cy = at / columns + 1;
    for (const Move& m : moves) {
      const int nx = cx + m.dx, ny = cy + m.dy;
      if (!is_open(g, nx, ny)) continue;
      const auto next = static_cast<std::size_t>(cell_index(nx, ny));
      if (dist[next] != unreachable || (avoid && (*avoid)[next])) continue;
      dist[next] = dist[static_cast<std::size_t>(at)] + 1;
      queue[static_cast<std::size_t>(tail++)] = static_cast<int>(next);
    }
  }
  return dist;
}

std::optional<Move> step_to_food(const Grid& g, int x, int y, const CellFlags* avoid) {
  const Distances dist = distances_from(g, x, y, avoid);
  int best = -1;
  for (int i = 0; i < cell_count; ++i) {
    const int d = dist[static_cast<std::size_t>(i)];
    const int code = g(i / columns + 1, i % columns + 1);
    if (d > 0 && (code == gomme || code == bonus) &&
        (best < 0 || d < dist[static_cast<std::size_t>(best)]))
      best = i;
  }
  if (best < 0) return std::nullopt;
  // Walk back from the food to the cell next to the start.
  int at = best;
  while (dist[static_cast<std::size_t>(at)] > 1) {
    const int cx = at % columns + 1, cy = at / columns + 1;
    for (const Move& m : moves) {
      const int px = cx - m.dx, py = cy - m.dy;
      if (!inside(px, py)) continue;
      const int before = cell_index(px, py);
      if (dist[static_cast<std::size_t>(before)] == dist[static_cast<std::size_t>(at)] - 1) {
        at = before;
        break;
      }
    }
  }
  return Move{at % columns + 1 - x, at / columns + 1 - y};
}

}  // namespace glouton::bot
