// The board's stores, one table of runs played through each of them.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "board/postgres_store.h"
#include "support/postgres_server.h"
#include "support/temp_dir.h"

namespace glouton::board {
namespace {

constexpr std::int64_t kNow = 1'800'000'000;
constexpr std::int64_t kWeek = 7 * 24 * 3600;

// A store of each kind, empty, and how to open more on the same data.
struct Kind {
  const char* name;
  std::function<std::string()> start;  // a fresh store's URL, kept for the test
  std::function<std::unique_ptr<Store>(std::string_view)> open;
};

void PrintTo(const Kind& kind, std::ostream* out) {
  *out << kind.name;
}

class StoreTest : public ::testing::TestWithParam<Kind> {
 protected:
  void SetUp() override {
    url_ = GetParam().start();
    store_ = open();
    store_->migrate();
  }
  std::unique_ptr<Store> open() const { return GetParam().open(url_); }

  std::string url_;
  std::unique_ptr<Store> store_;
};

VerifiedRun run_of(const std::string& digest, std::int32_t score) {
  return {"p-" + digest, "replay " + digest, digest, score, score / 100,
          score * 10LL,  "fnv1a64:" + digest};
}

TEST_P(StoreTest, TakesRanksFindsAndRemovesRuns) {
  struct Row {
    const char* digest;
    std::int32_t score;
    std::int64_t at;
    bool created;
    std::int64_t rank;
  };
  const std::vector<Row> rows = {
      {"a", 100, kNow - 10, true, 1},          {"b", 300, kNow - 9, true, 1},
      {"c", 100, kNow - 8, true, 3},            // as many as a, later: after it
      {"a", 999, kNow - 7, false, 2},           // a again: its first id, score and time
      {"old", 200, kNow - kWeek - 1, true, 2},  // a second too old for the week
      {"edge", 50, kNow - kWeek, true, 5},      // just in it
  };
  std::map<std::string, std::int64_t> id;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.digest);
    const Added added = store_->add(run_of(row.digest, row.score), row.at);
    EXPECT_EQ(added.created, row.created);
    EXPECT_EQ(added.entry.id, id.emplace(row.digest, added.entry.id).first->second);
    EXPECT_EQ(added.entry.rank, row.rank);
    EXPECT_EQ(added.entry.score, row.created ? row.score : 100);
  }
  // The board as digests, in the order given, each with its rank.
  const auto board = [&](std::int64_t since, int limit) {
    std::vector<std::string> out;
    for (const Entry& e : store_->best(since, limit)) {
      for (const auto& [digest, n] : id) {
        if (n == e.id) out.push_back(digest + ":" + std::to_string(e.rank));
      }
    }
    return out;
  };
  using Board = std::vector<std::string>;
  EXPECT_EQ(board(0, 100), (Board{"b:1", "old:2", "a:3", "c:4", "edge:5"}));
  EXPECT_EQ(board(kNow - kWeek, 100), (Board{"b:1", "a:2", "c:3", "edge:4"}));
  EXPECT_EQ(board(0, 2), (Board{"b:1", "old:2"}));

  const std::optional<Entry> a = store_->find(id["a"]);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->name, "p-a");
  EXPECT_EQ(a->levels, 1);
  EXPECT_EQ(a->length_ms, 1000);
  EXPECT_EQ(a->at, kNow - 10);
  EXPECT_EQ(a->hash, "fnv1a64:a");
  EXPECT_EQ(a->rank, 3);
  EXPECT_EQ(store_->replay(id["a"]), "replay a");

  EXPECT_TRUE(store_->remove(id["b"]));
  EXPECT_FALSE(store_->remove(id["b"]));
  EXPECT_FALSE(store_->find(id["b"]));
  EXPECT_FALSE(store_->replay(id["b"]));
  EXPECT_EQ(store_->find(id["a"])->rank, 2);
  EXPECT_EQ(open()->best(0, 1).front().id, id["old"]);  // another process sees it too
}

// Board processes started together, then all sending one replay at once:
// one run is stored and every one of them gets its id.
TEST_P(StoreTest, ConcurrentProcessesStoreOneReplayOnce) {
  constexpr int kProcesses = 6;
  std::vector<std::unique_ptr<Store>> stores;
  for (int i = 0; i < kProcesses; ++i) stores.push_back(open());
  std::vector<Added> added(kProcesses);
  std::vector<std::thread> threads;
  for (int i = 0; i < kProcesses; ++i) {
    threads.emplace_back([&, i] {
      stores[i]->migrate();
      added[i] = stores[i]->add(run_of("same", 500), kNow);
    });
  }
  for (std::thread& t : threads) t.join();
  int created = 0;
  for (const Added& a : added) {
    created += a.created;
    EXPECT_EQ(a.entry.id, added[0].entry.id);
  }
  EXPECT_EQ(created, 1);
  EXPECT_EQ(store_->best(0, 100).size(), 1u);
}

// PostgreSQL stopped under an open store: unavailable while it is down, then
// the store's next call opens its connections again by itself.
TEST(PostgresStoreTest, RecoversWhenTheServerComesBack) {
  testing::PostgresServer server;
  const std::unique_ptr<Store> store = open_postgres_store(server.url());
  store->migrate();
  const std::int64_t id = store->add(run_of("kept", 10), kNow).entry.id;
  server.stop();
  EXPECT_THROW(store->find(id), StoreUnavailable);
  EXPECT_THROW(open_postgres_store(server.url()), StoreUnavailable);
  server.start();
  EXPECT_EQ(store->find(id)->id, id);
}

const Kind kSqlite = {"sqlite",
                      [] {
                        static testing::TempDir dir;
                        return "sqlite:" + (dir.path() / "board.sqlite").string();
                      },
                      open_store};
const Kind kPostgres = {"postgres",
                        [] {
                          static std::unique_ptr<testing::PostgresServer> server;
                          server = std::make_unique<testing::PostgresServer>();
                          return server->url();
                        },
                        open_store};

INSTANTIATE_TEST_SUITE_P(Stores, StoreTest, ::testing::Values(kSqlite, kPostgres),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace glouton::board
