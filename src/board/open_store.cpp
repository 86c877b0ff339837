// open_store(): the store a --db URL names.
#include "board/postgres_store.h"
#include "board/sqlite_store.h"
#include "board/store.h"

namespace glouton::board {

std::unique_ptr<Store> open_store(std::string_view url) {
  constexpr std::string_view sqlite = "sqlite:";
  if (url.substr(0, sqlite.size()) == sqlite) {
    const std::string path(url.substr(sqlite.size()));
    if (path.empty()) throw std::invalid_argument("sqlite: needs a path");
    return open_sqlite_store(path);
  }
  if (url.substr(0, 13) == "postgresql://" || url.substr(0, 11) == "postgres://") {
#if GLOUTON_BOARD_POSTGRES
    return open_postgres_store(url);
#else
    throw std::invalid_argument("this glouton-board was built without its PostgreSQL store");
#endif
  }
  throw std::invalid_argument("unknown store '" + std::string(url) +
                              "': sqlite:PATH or postgresql://...");
}

}  // namespace glouton::board
