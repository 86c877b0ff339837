// The embedded store: one SQLite file in WAL mode, for one board process (or
// a few on one machine, which SQLite's locks keep in turn).
#pragma once

#include <memory>
#include <string>

#include "board/store.h"

namespace glouton::board {

// Where the board keeps its runs by default: $XDG_DATA_HOME/glouton/board.sqlite,
// or ~/.local/share/glouton/board.sqlite.
std::string default_sqlite_path();

// Opens (creating its folder and file) the store at `path`; throws
// StoreUnavailable when it cannot.
std::unique_ptr<Store> open_sqlite_store(const std::string& path);

}  // namespace glouton::board
