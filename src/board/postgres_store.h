// The board's store on PostgreSQL, for more than one board process on one
// database: every call is one transaction on a pooled connection, and a lost
// connection is opened again by the next call.
#pragma once

#include <memory>
#include <string_view>

#include "board/store.h"

namespace glouton::board {

// `url` is libpq's "postgresql://..." form. Throws StoreUnavailable when the
// server cannot be reached now; the store opens its connections again later.
std::unique_ptr<Store> open_postgres_store(std::string_view url);

}  // namespace glouton::board
