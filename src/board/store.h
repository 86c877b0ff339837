// Where the board keeps its runs: one interface with two stores behind it,
// SQLite embedded (the default) and PostgreSQL for more than one board process.
// Every call is one transaction; a store that cannot be reached throws
// StoreUnavailable, which the server answers with 503.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace glouton::board {

// A run as the board played it again: nothing here comes from the client but
// the name and the replay's text.
struct VerifiedRun {
  std::string name;        // already checked, in NFC
  std::string replay;      // the replay's text, as `glouton --record` writes it
  std::string digest;      // of the replay's text: two runs with one digest are one run
  std::int32_t score = 0;  // the highest score its games reached
  int levels = 0;          // levels cleared over the whole run
  std::int64_t length_ms = 0;
  std::string hash;  // the final state's hash, "fnv1a64:<16 hex>"
};

// One line of the board.
struct Entry {
  std::int64_t id = 0;
  std::int64_t rank = 0;  // 1 for the best; among equal scores the earlier first
  std::string name;
  std::int32_t score = 0;
  int levels = 0;
  std::int64_t length_ms = 0;
  std::int64_t at = 0;  // when it was taken, in seconds since 1970 (UTC)
  std::string hash;
};

struct Added {
  Entry entry;
  bool created = false;  // false: the same replay was on the board already
};

class StoreUnavailable : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Store {
 public:
  virtual ~Store() = default;
  // Creates or upgrades the schema; safe when two processes start together.
  virtual void migrate() = 0;
  // Stores the run taken at `now`, or finds the one with the same digest.
  virtual Added add(const VerifiedRun& run, std::int64_t now) = 0;
  // The best runs taken at `since` or later (0: all time), best first; ranks
  // count within that period.
  virtual std::vector<Entry> best(std::int64_t since, int limit) = 0;
  // One run, ranked over all time.
  virtual std::optional<Entry> find(std::int64_t id) = 0;
  virtual std::optional<std::string> replay(std::int64_t id) = 0;
  virtual bool remove(std::int64_t id) = 0;
};

// "sqlite:PATH" or "postgresql://..."; throws std::invalid_argument for
// anything else, StoreUnavailable when the store cannot be opened.
std::unique_ptr<Store> open_store(std::string_view url);

}  // namespace glouton::board
