// One table of submissions, run against every store the board has: the
// store's URL is the test's parameter.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "board/board_process.h"
#include "board/store.h"
#include "program/replay.h"
#include "program/replay_link.h"
#include "support/share_link.h"
#include "support/temp_dir.h"

namespace glouton {
namespace {

using nlohmann::json;

// A run that only waits `ms` on the title: score 0, its own replay.
std::string waiting_run(int ms) {
  return std::string(replay_header) + "\nload\n" + std::to_string(ms) + "\n";
}
// A run that eats three pellets and stops with the game under way: its
// score (30) is above its best (0), and ranks it.
const std::string eating_run =
    std::string(replay_header) +
    "\nload\n50 key 37\n100\n200\n225\n250\n300\n400\n450\n500\n600\n675\n700\n750\n800\n900\n"
    "1000\n1100\n1125\n";

std::string submission(const std::string& name, const std::string& replay) {
  return json{{"name", name}, {"replay", replay}}.dump();
}

// A store the table runs against: its name, and the URL of a fresh one
// that keeps its files in the test's folder.
struct StoreKind {
  std::string name;
  std::function<std::string(const std::filesystem::path& dir)> url;
};

class Submissions : public ::testing::TestWithParam<StoreKind> {};

TEST_P(Submissions, AreRankedOnceEachWhateverFormTheyCameIn) {
  testing::TempDir dir;
  const std::string db = GetParam().url(dir.path());
  const std::int64_t now = std::time(nullptr);
  {  // A run of eight days ago: on the board of all time, not the week's.
    auto store = board::open_store(db);
    store->migrate();
    store->add({"old", waiting_run(9), "sha256:old", 5, 0, 9, "fnv1a64:0"}, now - 8 * 86400);
  }
  testing::BoardProcess board(db, {"--rate", "1000"});
  const std::string link = testing::share_link(eating_run);
  struct Row {
    std::string replay;
    int status;
    std::string same_as;  // the row whose id it gets back, or empty for a new one
  };
  const std::vector<std::pair<std::string, Row>> table = {
      {"eating", {eating_run, 201, ""}},
      {"as a link", {"https://glouton.example/" + link, 200, "eating"}},
      {"as a link's payload", {link.substr(replay_link_key.size()), 200, "eating"}},
      {"waiting 100", {waiting_run(100), 201, ""}},
      {"waiting 200", {waiting_run(200), 201, ""}},
  };
  std::map<std::string, json> ids;
  for (const auto& [label, row] : table) {
    const testing::Reply r = board.post(submission(label, row.replay));
    ASSERT_EQ(r.status, row.status) << label << ": " << r.body;
    const json answer = json::parse(r.body);
    ids[label] = answer["id"];
    if (!row.same_as.empty()) {
      EXPECT_EQ(ids[label], ids[row.same_as]) << label;
    }
  }
  const int eating_score =
      json::parse(board.get("/api/v1/runs/" + ids["eating"].dump()).body)["score"];
  EXPECT_EQ(eating_score, 30);

  // Best first, the earlier first among equal scores; the old run is of all time only.
  const auto order = [&](const std::string& query) {
    const testing::Reply r = board.get("/api/v1/board?" + query);
    EXPECT_EQ(r.status, 200) << query << ": " << r.body;
    std::vector<std::string> names;
    std::int64_t rank = 0;
    const json runs = json::parse(r.body)["runs"];
    for (const json& e : runs) {
      EXPECT_EQ(e["rank"], ++rank);
      names.push_back(e["name"]);
    }
    return names;
  };
  using Names = std::vector<std::string>;
  EXPECT_EQ(order("period=all"), (Names{"eating", "old", "waiting 100", "waiting 200"}));
  EXPECT_EQ(order("period=week&limit=100"), (Names{"eating", "waiting 100", "waiting 200"}));
  EXPECT_EQ(order("limit=1"), Names{"eating"});
  for (const char* query : {"limit=0", "limit=101", "period=month"})
    EXPECT_EQ(board.get(std::string("/api/v1/board?") + query).status, 400) << query;

  EXPECT_EQ(board.get("/api/v1/runs/" + ids["eating"].dump() + "/replay").body, eating_run);
  EXPECT_EQ(board.get("/api/v1/runs/999/replay").status, 404);
}

INSTANTIATE_TEST_SUITE_P(Board, Submissions,
                         ::testing::Values(StoreKind{"sqlite",
                                                     [](const std::filesystem::path& dir) {
                                                       return "sqlite:" +
                                                              (dir / "board.sqlite").string();
                                                     }}),
                         [](const auto& kind) { return kind.param.name; });

}  // namespace
}  // namespace glouton
