// One table of submissions, run against every store the board has: the
// store's URL is the test's parameter.
#include <gtest/gtest.h>

#include "board/board_process.h"
#include "board/store.h"
#include "program/replay_link.h"
#include "support/postgres_server.h"
#include "support/share_link.h"
#include "support/temp_dir.h"

namespace glouton {
namespace {

using testing::submission;
using testing::waiting_run;

// A run that eats three pellets and stops with the game under way: its
// score (30) is above its best (0), and ranks it.
const std::string eating_run =
    std::string(replay_header) +
    "\nload\n50 key 37\n100\n200\n225\n250\n300\n400\n450\n500\n600\n675\n700\n750\n800\n900\n"
    "1000\n1100\n1125\n";

// A store the table runs against: its name, and the URL of a fresh one
// that keeps its files in the test's folder.
using StoreKind = std::pair<std::string, std::function<std::string(std::filesystem::path)>>;
class Submissions : public ::testing::TestWithParam<StoreKind> {};

// A PostgreSQL of the test's own, for as long as the test's process.
std::string postgres_url(const std::filesystem::path&) {
  static testing::PostgresServer server;
  return server.url();
}

TEST_P(Submissions, AreRankedOnceEachWhateverFormTheyCameIn) {
  testing::TempDir dir;
  const std::string db = GetParam().second(dir.path());
  {  // A run of eight days ago: on the board of all time, not the week's.
    auto store = board::open_store(db);
    store->migrate();
    store->add({"old", waiting_run(9), "sha256:old", 5, 0, 9, "fnv1a64:0"},
               std::time(nullptr) - 8 * 86400);
  }
  testing::BoardProcess board(db, {"--rate", "1000"});
  const std::string link = testing::share_link(eating_run);
  const std::tuple<std::string, std::string, int> table[] = {
      {"eating", eating_run, 201},
      {"as a link", "https://glouton.example/" + link, 200},  // 200: the eating run's entry
      {"as a link's payload", link.substr(replay_link_key.size()), 200},
      {"waiting 100", waiting_run(100), 201},
      {"waiting 200", waiting_run(200), 201},
  };
  std::map<std::string, nlohmann::json> answers;
  for (const auto& [name, replay, status] : table) {
    const testing::Reply r = board.post(submission(name, replay));
    ASSERT_EQ(r.status, status) << name << ": " << r.body;
    answers[name] = r.json();
    EXPECT_TRUE(status == 201 || answers[name] == answers["eating"]) << name;
  }
  EXPECT_EQ(answers["eating"]["score"], 30);

  // Best first, the earlier first among equal scores; the old run is of all time only.
  const auto order = [&](const std::string& query) {
    const testing::Reply r = board.get("/api/v1/board?" + query);
    EXPECT_EQ(r.status, 200) << query << ": " << r.body;
    std::vector<std::string> names;
    const nlohmann::json runs = r.json()["runs"];
    for (const nlohmann::json& e : runs) {
      names.push_back(e["name"]);
      EXPECT_EQ(e["rank"], names.size());
    }
    return names;
  };
  using Names = std::vector<std::string>;
  EXPECT_EQ(order("period=all"), (Names{"eating", "old", "waiting 100", "waiting 200"}));
  EXPECT_EQ(order("period=week&limit=100"), (Names{"eating", "waiting 100", "waiting 200"}));
  EXPECT_EQ(order("limit=1"), Names{"eating"});
  for (const char* query : {"limit=0", "limit=101", "period=month"})
    EXPECT_EQ(board.get(std::string("/api/v1/board?") + query).status, 400) << query;
  const std::string eating = "/api/v1/runs/" + answers["eating"]["id"].dump();
  EXPECT_EQ(board.get(eating).json()["rank"], 1);
  EXPECT_EQ(board.get(eating + "/replay").body, eating_run);
  EXPECT_EQ(board.get("/api/v1/runs/999/replay").status, 404);
}

INSTANTIATE_TEST_SUITE_P(Board, Submissions,
                         ::testing::Values(StoreKind{"sqlite", testing::sqlite_url},
                                           StoreKind{"postgres", postgres_url}),
                         [](const auto& kind) { return kind.param.first; });

}  // namespace
}  // namespace glouton
