#include "board/sqlite_store.h"

#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>

namespace glouton::board {

namespace {

// The schema, one step per version; PRAGMA user_version holds the last one run.
constexpr const char* migrations[] = {
    "CREATE TABLE runs ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " digest TEXT NOT NULL UNIQUE,"
    " name TEXT NOT NULL,"
    " score INTEGER NOT NULL,"
    " levels INTEGER NOT NULL,"
    " length_ms INTEGER NOT NULL,"
    " hash TEXT NOT NULL,"
    " at INTEGER NOT NULL,"
    // Last, so that a board read never walks a replay's overflow pages.
    " replay TEXT NOT NULL);"
    "CREATE INDEX runs_order ON runs (score DESC, at, id);"
    "CREATE INDEX runs_at ON runs (at);",
};

constexpr const char* entry_columns = "id, name, score, levels, length_ms, at, hash";
// Best first, the earlier first among equal scores.
constexpr const char* board_order = "score DESC, at, id";

class Statement {
 public:
  Statement(sqlite3* db, const std::string& sql) : db_(db) {
    check(sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt_, nullptr));
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& bind(int i, std::int64_t v) {
    check(sqlite3_bind_int64(stmt_, i, v));
    return *this;
  }
  Statement& bind(int i, const std::string& v) {
    check(sqlite3_bind_text(stmt_, i, v.data(), static_cast<int>(v.size()), SQLITE_STATIC));
    return *this;
  }
  // True while there is a row.
  bool step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    check(rc == SQLITE_DONE ? SQLITE_OK : rc);
    return false;
  }
  std::int64_t integer(int i) { return sqlite3_column_int64(stmt_, i); }
  std::string text(int i) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
    return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, i))) : "";
  }
  Entry entry(std::int64_t rank) {
    return {integer(0),      rank,       text(1),    static_cast<std::int32_t>(integer(2)),
            int(integer(3)), integer(4), integer(5), text(6)};
  }
  void check(int rc) {
    if (rc != SQLITE_OK)
      throw StoreUnavailable(std::string("SQLite: ") + sqlite3_errstr(rc) + ": " +
                             sqlite3_errmsg(db_));
  }

 private:
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
};

class SqliteStore final : public Store {
 public:
  explicit SqliteStore(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, ec);
    const int rc = sqlite3_open_v2(
        path.c_str(), &db_,
        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX | SQLITE_OPEN_NOFOLLOW,
        nullptr);
    if (rc != SQLITE_OK) {
      const std::string why = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
      sqlite3_close(db_);
      throw StoreUnavailable("cannot open the board " + path + ": " + why);
    }
    sqlite3_busy_timeout(db_, 5000);
    // WAL: readers do not wait for the writer. FULL: a run answered with its
    // id is on the disk, even if the machine stops right after.
    exec("PRAGMA journal_mode=WAL");
    exec("PRAGMA synchronous=FULL");
  }
  ~SqliteStore() override { sqlite3_close(db_); }

  void migrate() override {
    const std::lock_guard lock(mutex_);
    // IMMEDIATE: a second process starting at once waits here, then finds
    // the schema made.
    Transaction t(*this);
    Statement version(db_, "PRAGMA user_version");
    version.step();
    const auto done = static_cast<std::size_t>(version.integer(0));
    for (std::size_t v = done; v < std::size(migrations); ++v) exec(migrations[v]);
    exec("PRAGMA user_version=" + std::to_string(std::size(migrations)));
    t.commit();
  }

  Added add(const VerifiedRun& run, std::int64_t now) override {
    const std::lock_guard lock(mutex_);
    Transaction t(*this);
    Statement insert(db_,
                     "INSERT INTO runs (digest, name, replay, score, levels, length_ms, hash, at)"
                     " VALUES (?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (digest) DO NOTHING");
    insert.bind(1, run.digest).bind(2, run.name).bind(3, run.replay).bind(4, run.score);
    insert.bind(5, run.levels).bind(6, run.length_ms).bind(7, run.hash).bind(8, now).step();
    const bool created = sqlite3_changes(db_) == 1;
    Statement id(db_, "SELECT id FROM runs WHERE digest = ?");
    id.bind(1, run.digest);
    if (!id.step()) throw StoreUnavailable("SQLite: the run just stored is not there");
    std::optional<Entry> entry = find_locked(id.integer(0));
    t.commit();
    return {std::move(*entry), created};
  }

  std::vector<Entry> best(std::int64_t since, int limit) override {
    const std::lock_guard lock(mutex_);
    // The listing starts at the best, so a run's rank is its place in it.
    Statement q(db_, std::string("SELECT ") + entry_columns + " FROM runs WHERE at >= ? ORDER BY " +
                         board_order + " LIMIT ?");
    q.bind(1, since).bind(2, limit);
    std::vector<Entry> entries;
    while (q.step()) entries.push_back(q.entry(static_cast<std::int64_t>(entries.size()) + 1));
    return entries;
  }

  std::optional<Entry> find(std::int64_t id) override {
    const std::lock_guard lock(mutex_);
    return find_locked(id);
  }

  std::optional<std::string> replay(std::int64_t id) override {
    const std::lock_guard lock(mutex_);
    Statement q(db_, "SELECT replay FROM runs WHERE id = ?");
    q.bind(1, id);
    if (!q.step()) return std::nullopt;
    return q.text(0);
  }

  bool remove(std::int64_t id) override {
    const std::lock_guard lock(mutex_);
    Statement q(db_, "DELETE FROM runs WHERE id = ?");
    q.bind(1, id).step();
    return sqlite3_changes(db_) == 1;
  }

 private:
  // Rolled back unless committed: nothing half-written when a step throws.
  class Transaction {
   public:
    explicit Transaction(SqliteStore& s) : s_(s) { s_.exec("BEGIN IMMEDIATE"); }
    ~Transaction() {
      if (!done_) sqlite3_exec(s_.db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    void commit() {
      s_.exec("COMMIT");
      done_ = true;
    }

   private:
    SqliteStore& s_;
    bool done_ = false;
  };

  void exec(const std::string& sql) {
    char* message = nullptr;
    const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
      const std::string why = message ? message : sqlite3_errstr(rc);
      sqlite3_free(message);
      throw StoreUnavailable("SQLite: " + why);
    }
  }

  std::optional<Entry> find_locked(std::int64_t id) {
    Statement q(db_, std::string("SELECT ") + entry_columns + " FROM runs WHERE id = ?");
    q.bind(1, id);
    if (!q.step()) return std::nullopt;
    Entry e = q.entry(0);
    Statement rank(db_,
                   "SELECT COUNT(*) + 1 FROM runs WHERE score > ?1 OR (score = ?1 AND"
                   " (at < ?2 OR (at = ?2 AND id < ?3)))");
    rank.bind(1, e.score).bind(2, e.at).bind(3, e.id).step();
    e.rank = rank.integer(0);
    return e;
  }

  sqlite3* db_ = nullptr;
  std::mutex mutex_;
};

}  // namespace

std::string default_sqlite_path() {
  const char* data = std::getenv("XDG_DATA_HOME");
  std::filesystem::path base;
  if (data && *data == '/') {
    base = data;
  } else {
    const char* home = std::getenv("HOME");
    base = std::filesystem::path(home && *home ? home : ".") / ".local" / "share";
  }
  return (base / "glouton" / "board.sqlite").string();
}

std::unique_ptr<Store> open_sqlite_store(const std::string& path) {
  return std::make_unique<SqliteStore>(path);
}

}  // namespace glouton::board
