// The store for more than one board process: PostgreSQL 15 through libpqxx.
#pragma once

#include <memory>
#include <string_view>

#include "board/store.h"

namespace glouton::board {

// `url`: "postgresql://..."; throws StoreUnavailable when the server
// cannot be reached.
std::unique_ptr<Store> open_postgres_store(std::string_view url);

}  // namespace glouton::board
