// One JSON line per handled event: the trace that the simulator prints and
// that `glouton --trace` writes for the real window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ports/picture.h"
#include "program/event_order.h"

namespace glouton {

struct Paint {
  Picture picture;
  int x = 0, y = 0;  // twips
  bool operator==(const Paint&) const = default;
};

// Appends the line of `record` (with its newline) to `out`, from the window's
// state after the handler returned. `paints` adds the paints member; `wall`
// adds the real milliseconds from the load to the start of the handler.
void append_trace_line(std::string& out, const Form1& f, const EventRecord& record,
                       const std::vector<Paint>* paints = nullptr,
                       std::optional<std::int64_t> wall = std::nullopt);

}  // namespace glouton
