// The board's SQLite store under faults: the process killed while it takes
// runs, and a disk that fills. Every run answered with its id is kept, and
// nothing half-written is.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/mount.h>

#include <atomic>
#include <nlohmann/json.hpp>
#include <set>
#include <thread>

#include "board/board_process.h"
#include "program/replay.h"
#include "support/temp_dir.h"

namespace glouton {
namespace {

using nlohmann::json;

std::string run_body(int i) {
  // Each a run of its own: the title waited on for its own time.
  return json{{"name", "run " + std::to_string(i)},
              {"replay", std::string(replay_header) + "\nload\n" + std::to_string(100 + i) + "\n"}}
      .dump();
}

std::string integrity(const std::string& path) {
  sqlite3* db = nullptr;
  std::string result = "cannot open";
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK)
    sqlite3_exec(
        db, "PRAGMA integrity_check",
        [](void* out, int, char** values, char**) {
          *static_cast<std::string*>(out) = values[0];
          return 0;
        },
        &result, nullptr);
  sqlite3_close(db);
  return result;
}

// The ids of the board's runs, all time.
std::set<std::int64_t> stored_ids(const testing::BoardProcess& board) {
  std::set<std::int64_t> ids;
  const json board_json = json::parse(board.get("/api/v1/board?limit=100").body);
  for (const json& e : board_json["runs"]) ids.insert(e["id"].get<std::int64_t>());
  return ids;
}

TEST(Faults, KilledWhileTakingRunsTheBoardKeepsEveryAnsweredOne) {
  testing::TempDir dir;
  const std::string path = (dir.path() / "board.sqlite").string();
  std::mutex mutex;
  std::set<std::int64_t> answered;
  {
    testing::BoardProcess board("sqlite:" + path, {"--rate", "100000"});
    std::atomic<int> next{0};
    std::vector<std::thread> clients;
    for (int c = 0; c < 4; ++c)
      clients.emplace_back([&] {
        for (int i; (i = next++) < 90;) {
          testing::Reply r;
          try {
            r = board.post(run_body(i));
          } catch (const std::runtime_error&) {
            return;  // the board is gone
          }
          if (r.status != 201) continue;  // cut by the kill
          const std::lock_guard lock(mutex);
          answered.insert(json::parse(r.body)["id"].get<std::int64_t>());
        }
      });
    while (next < 40) std::this_thread::yield();
    EXPECT_EQ(board.stop(SIGKILL), 128 + SIGKILL);
    for (std::thread& t : clients) t.join();
  }
  EXPECT_GE(answered.size(), 30u);
  testing::BoardProcess again("sqlite:" + path);
  const std::set<std::int64_t> ids = stored_ids(again);
  for (const std::int64_t id : answered) EXPECT_TRUE(ids.count(id)) << "run " << id << " lost";
  EXPECT_EQ(integrity(path), "ok");
}

TEST(Faults, OnAFullDiskRunsAreRefusedWith503AndNoneIsHalfWritten) {
  testing::TempDir dir;
  const std::filesystem::path disk = dir.path() / "disk";
  std::filesystem::create_directory(disk);
  if (mount("glouton-board-full", disk.c_str(), "tmpfs", 0, "size=2m") != 0)
    GTEST_SKIP() << "cannot mount a tmpfs (root only): " << std::strerror(errno);
  const std::string path = (disk / "board.sqlite").string();
  {
    testing::BoardProcess board("sqlite:" + path, {"--rate", "100000"});
    ASSERT_EQ(board.post(run_body(0)).status, 201);
    // Fills the disk but for a few kB, then submits until refused.
    {
      std::ofstream fill(disk / "fill", std::ios::binary);
      const std::string block(4096, 'x');
      while (fill.write(block.data(), block.size()) && fill.flush()) {
      }
    }
    std::filesystem::resize_file(disk / "fill", std::filesystem::file_size(disk / "fill") - 16384);
    std::set<std::int64_t> answered;
    int refused = 0;
    for (int i = 1; i < 200 && refused < 3; ++i) {
      const testing::Reply r = board.post(run_body(i) + std::string(3000, ' '));
      if (r.status == 201)
        answered.insert(json::parse(r.body)["id"].get<std::int64_t>());
      else if (r.status == 503 && json::parse(r.body)["error"] == "unavailable")
        ++refused;
      else
        ADD_FAILURE() << r.status << " " << r.body;
    }
    EXPECT_EQ(refused, 3);
    // Room again: the board takes runs without a restart.
    std::filesystem::remove(disk / "fill");
    EXPECT_EQ(board.post(run_body(500)).status, 201);
    const std::set<std::int64_t> ids = stored_ids(board);
    EXPECT_EQ(ids.size(), answered.size() + 2);  // with the first and the last
    for (const std::int64_t id : answered) EXPECT_TRUE(ids.count(id));
  }
  EXPECT_EQ(integrity(path), "ok");
  umount(disk.c_str());
}

}  // namespace
}  // namespace glouton
