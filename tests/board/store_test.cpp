// The board's stores, one table of runs played through each of them.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "board/store.h"
#include "support/postgres_server.h"
#include "support/temp_dir.h"

namespace glouton::board {
namespace {

constexpr std::int64_t kNow = 1'800'000'000;
constexpr std::int64_t kWeek = 7 * 24 * 3600;

// A fresh store's URL of each kind; what it starts lasts as long as the test.
std::string sqlite_url() {
  static testing::TempDir dir;
  return "sqlite:" + (dir.path() / "board.sqlite").string();
}
std::string postgres_url() {
  static testing::PostgresServer server;
  return server.url();
}

class StoreTest : public ::testing::TestWithParam<std::string (*)()> {};

TEST_P(StoreTest, TakesRanksFindsAndRemovesRuns) {
  const std::string url = GetParam()();
  const std::unique_ptr<Store> store = open_store(url);
  store->migrate();
  struct Row {
    std::string digest;
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
  std::map<std::int64_t, std::string> digest_of;
  for (const Row& row : rows) {
    const VerifiedRun run{
        "p-" + row.digest,      "replay " + row.digest, row.digest, row.score, 2, 60,
        "fnv1a64:" + row.digest};
    const Added added = store->add(run, row.at);
    const Entry& e = added.entry;
    digest_of.emplace(e.id, row.digest);
    EXPECT_EQ(std::tuple(added.created, digest_of[e.id], e.rank, e.score),
              std::tuple(row.created, row.digest, row.rank, row.created ? row.score : 100));
  }
  const auto board = [&](std::int64_t since, int limit) {  // "digest:rank", best first
    std::vector<std::string> out;
    for (const Entry& e : store->best(since, limit))
      out.push_back(digest_of[e.id] + ":" + std::to_string(e.rank));
    return out;
  };
  using Board = std::vector<std::string>;
  EXPECT_EQ(board(0, 100), (Board{"b:1", "old:2", "a:3", "c:4", "edge:5"}));
  EXPECT_EQ(board(kNow - kWeek, 100), (Board{"b:1", "a:2", "c:3", "edge:4"}));
  EXPECT_EQ(board(0, 2), (Board{"b:1", "old:2"}));

  std::map<std::string, std::int64_t> id;
  for (const auto& [n, digest] : digest_of) id[digest] = n;
  const Entry a = store->find(id["a"]).value();
  EXPECT_EQ(std::tuple(a.name, a.rank, a.levels, a.length_ms, a.at, a.hash),
            std::tuple("p-a", 3, 2, 60, kNow - 10, "fnv1a64:a"));
  EXPECT_EQ(store->replay(id["a"]), "replay a");
  EXPECT_TRUE(store->remove(id["b"]));
  EXPECT_FALSE(store->remove(id["b"]));
  EXPECT_FALSE(store->find(id["b"]) || store->replay(id["b"]));
  EXPECT_EQ(store->find(id["a"])->rank, 2);
  EXPECT_EQ(open_store(url)->best(0, 1).front().id, id["old"]);  // another process sees it too
}

INSTANTIATE_TEST_SUITE_P(Stores, StoreTest, ::testing::Values(sqlite_url, postgres_url),
                         [](const auto& p) { return p.index ? "postgres" : "sqlite"; });

}  // namespace
}  // namespace glouton::board
