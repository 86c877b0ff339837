// The board's store on PostgreSQL through libpqxx, bound parameters only.
#include "board/postgres_store.h"

#include <pqxx/pqxx>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace glouton::board {
namespace {

// One number for the migration's lock, the same in every board process.
constexpr long long kMigrationLock = 0x676c6f75746f6e;  // "glouton"
constexpr int kSchemaVersion = 1;

// Rank over the rows the query sees: among equal scores the earlier first,
// and the id breaks ties within one second.
constexpr const char* kOrder = "score DESC, at ASC, id ASC";

const std::string kColumns = "id, name, score, levels, length_ms, at, hash";

Entry entry_of(const pqxx::row& row) {
  Entry e;
  e.id = row["id"].as<std::int64_t>();
  e.rank = row["rank"].as<std::int64_t>();
  e.name = row["name"].as<std::string>();
  e.score = row["score"].as<std::int32_t>();
  e.levels = row["levels"].as<int>();
  e.length_ms = row["length_ms"].as<std::int64_t>();
  e.at = row["at"].as<std::int64_t>();
  e.hash = row["hash"].as<std::string>();
  return e;
}

// One run and its rank over all time, counted by the rows ahead of it: two
// counts that each read only the rank index (a single condition with OR made
// PostgreSQL read the rows too, 2.7 times slower over 200,000 runs).
std::optional<Entry> find_in(pqxx::work& tx, std::int64_t id) {
  const pqxx::result r = tx.exec_params(
      "SELECT " + kColumns +
          ", 1 + (SELECT count(*) FROM runs o WHERE o.score > r.score)"
          " + (SELECT count(*) FROM runs o WHERE o.score = r.score AND (o.at, o.id) < (r.at, r.id))"
          " AS rank FROM runs r WHERE id = $1",
      id);
  if (r.empty()) return std::nullopt;
  return entry_of(r[0]);
}

// Whether the failure is the server's or the link's rather than the query's:
// a connection exception (class 08), or the server shutting down or starting
// up (57P01..57P03).
bool is_unavailable(const pqxx::sql_error& e) {
  const std::string& state = e.sqlstate();
  return state.rfind("08", 0) == 0 || state.rfind("57P", 0) == 0;
}

class PostgresStore final : public Store {
 public:
  explicit PostgresStore(std::string url) : url_(std::move(url)) {
    // Reach the server once now, so that a wrong URL shows at start-up.
    with_transaction([](pqxx::work&) {});
  }

  void migrate() override {
    with_transaction([](pqxx::work& tx) {
      // Held to the transaction's end: a second process starting at the same
      // time waits here, then finds the schema made.
      tx.exec_params("SELECT pg_advisory_xact_lock($1)", kMigrationLock);
      tx.exec("CREATE TABLE IF NOT EXISTS board_schema (version INTEGER NOT NULL)");
      const pqxx::result v = tx.exec("SELECT max(version) FROM board_schema");
      const int version = v[0][0].is_null() ? 0 : v[0][0].as<int>();
      if (version > kSchemaVersion) {
        throw std::runtime_error("the board's database has schema version " +
                                 std::to_string(version) + ", newer than this program's " +
                                 std::to_string(kSchemaVersion));
      }
      if (version < 1) {
        tx.exec(
            "CREATE TABLE runs ("
            " id BIGSERIAL PRIMARY KEY,"
            " name TEXT NOT NULL,"
            " replay TEXT NOT NULL,"
            " digest TEXT NOT NULL UNIQUE,"
            " score INTEGER NOT NULL,"
            " levels INTEGER NOT NULL,"
            " length_ms BIGINT NOT NULL,"
            " hash TEXT NOT NULL,"
            " at BIGINT NOT NULL)");
        tx.exec(std::string("CREATE INDEX runs_by_rank ON runs (") + kOrder + ")");
        tx.exec("CREATE INDEX runs_by_time ON runs (at)");
        tx.exec_params("INSERT INTO board_schema (version) VALUES ($1)", kSchemaVersion);
      }
    });
  }

  Added add(const VerifiedRun& run, std::int64_t now) override {
    return with_transaction([&](pqxx::work& tx) {
      // Two processes adding one replay at once: the unique digest makes the
      // second wait for the first, find the row taken and store nothing.
      const pqxx::result made = tx.exec_params(
          "INSERT INTO runs (name, replay, digest, score, levels, length_ms, hash, at)"
          " VALUES ($1, $2, $3, $4, $5, $6, $7, $8) ON CONFLICT (digest) DO NOTHING RETURNING id",
          run.name, run.replay, run.digest, run.score, run.levels, run.length_ms, run.hash, now);
      Added added;
      added.created = !made.empty();
      std::int64_t id = 0;
      if (added.created) {
        id = made[0][0].as<std::int64_t>();
      } else {
        const pqxx::result old =
            tx.exec_params("SELECT id FROM runs WHERE digest = $1", run.digest);
        if (old.empty()) throw std::runtime_error("a run's digest conflicts with no stored run");
        id = old[0][0].as<std::int64_t>();
      }
      std::optional<Entry> entry = find_in(tx, id);
      if (!entry) throw std::runtime_error("a run was removed while it was being added");
      added.entry = std::move(*entry);
      return added;
    });
  }

  std::vector<Entry> best(std::int64_t since, int limit) override {
    return with_transaction([&](pqxx::work& tx) {
      const pqxx::result r =
          tx.exec_params("SELECT " + kColumns + ", row_number() OVER (ORDER BY " + kOrder +
                             ") AS rank FROM runs WHERE at >= $1 ORDER BY " + kOrder + " LIMIT $2",
                         since, limit);
      std::vector<Entry> entries;
      entries.reserve(r.size());
      for (const pqxx::row& row : r) entries.push_back(entry_of(row));
      return entries;
    });
  }

  std::optional<Entry> find(std::int64_t id) override {
    return with_transaction([&](pqxx::work& tx) { return find_in(tx, id); });
  }

  std::optional<std::string> replay(std::int64_t id) override {
    return with_transaction([&](pqxx::work& tx) -> std::optional<std::string> {
      const pqxx::result r = tx.exec_params("SELECT replay FROM runs WHERE id = $1", id);
      if (r.empty()) return std::nullopt;
      return r[0][0].as<std::string>();
    });
  }

  bool remove(std::int64_t id) override {
    return with_transaction([&](pqxx::work& tx) {
      return tx.exec_params("DELETE FROM runs WHERE id = $1", id).affected_rows() > 0;
    });
  }

 private:
  // Runs `body` in one transaction on a connection of the pool. A pooled
  // connection found dead (the server was restarted since it was last used)
  // means the others are dead too: they are dropped and the call is tried
  // once more on a new one. Every call of this store may run twice, as an
  // add of one replay stores it once.
  template <typename Body>
  auto with_transaction(Body body) -> decltype(body(std::declval<pqxx::work&>())) {
    for (bool fresh = false;; fresh = true) {
      Lease lease(*this, fresh);
      try {
        pqxx::work tx(lease.connection());
        if constexpr (std::is_void_v<decltype(body(tx))>) {
          body(tx);
          tx.commit();
          return;
        } else {
          auto result = body(tx);
          tx.commit();
          return result;
        }
      } catch (const pqxx::broken_connection& e) {
        lease.discard();
        if (!lease.reused()) throw StoreUnavailable(e.what());
      } catch (const pqxx::in_doubt_error& e) {
        lease.discard();
        if (!lease.reused()) throw StoreUnavailable(e.what());
      } catch (const pqxx::sql_error& e) {
        if (!is_unavailable(e)) throw;
        lease.discard();
        if (!lease.reused()) throw StoreUnavailable(e.what());
      }
    }
  }

  // A connection of the pool for one call, given back when the call ends
  // unless it was lost. The pool holds at most kConnections: a board process
  // serves many more requests at once than PostgreSQL has connections for.
  class Lease {
   public:
    Lease(PostgresStore& store, bool fresh) : store_(store) {
      std::unique_lock lock(store.mutex_);
      if (fresh) {
        store.open_ -= store.idle_.size();
        store.idle_.clear();
      }
      if (!store.free_.wait_for(
              lock, kWait, [&] { return !store.idle_.empty() || store.open_ < kConnections; })) {
        throw StoreUnavailable("every connection to PostgreSQL stayed busy");
      }
      if (!store.idle_.empty()) {
        connection_ = std::move(store.idle_.back());
        store.idle_.pop_back();
        reused_ = true;
        return;
      }
      ++store.open_;
      lock.unlock();
      try {
        connection_ = std::make_unique<pqxx::connection>(store.url_);
      } catch (const pqxx::failure& e) {
        discard();
        throw StoreUnavailable(e.what());
      }
    }
    ~Lease() {
      if (!connection_ || !connection_->is_open()) {
        discard();
        return;
      }
      std::lock_guard lock(store_.mutex_);
      store_.idle_.push_back(std::move(connection_));
      store_.free_.notify_one();
    }
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;

    pqxx::connection& connection() { return *connection_; }
    bool reused() const { return reused_; }
    void discard() {
      if (counted_) {
        std::lock_guard lock(store_.mutex_);
        --store_.open_;
        store_.free_.notify_one();
      }
      counted_ = false;
      connection_.reset();
    }

   private:
    PostgresStore& store_;
    std::unique_ptr<pqxx::connection> connection_;
    bool reused_ = false;
    bool counted_ = true;
  };

  static constexpr std::size_t kConnections = 8;
  static constexpr std::chrono::seconds kWait{10};

  const std::string url_;
  std::mutex mutex_;
  std::condition_variable free_;
  std::vector<std::unique_ptr<pqxx::connection>> idle_;
  std::size_t open_ = 0;  // idle and leased
};

}  // namespace

std::unique_ptr<Store> open_postgres_store(std::string_view url) {
  return std::make_unique<PostgresStore>(std::string(url));
}

}  // namespace glouton::board
