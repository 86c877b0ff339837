// The board's SQLite store under faults: the process killed while it takes
// runs, and a disk that fills. Every run answered with its id is kept, and
// nothing half-written is.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/mount.h>
#include <sys/statvfs.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>

#include "board/board_process.h"
#include "support/small_disk.h"
#include "support/temp_dir.h"

namespace glouton {
namespace {

using testing::BoardProcess;

// Each a run of its own: the title waited on for its own time.
std::string run_body(int i) {
  return testing::submission("run", testing::waiting_run(100 + i));
}

std::string integrity(const std::string& path) {
  std::string result = "cannot open";
  sqlite3* db = nullptr;
  sqlite3_stmt* q = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
      sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &q, nullptr) == SQLITE_OK &&
      sqlite3_step(q) == SQLITE_ROW)
    result = reinterpret_cast<const char*>(sqlite3_column_text(q, 0));
  sqlite3_finalize(q);
  sqlite3_close(db);
  return result;
}

TEST(Faults, KilledWhileTakingRunsTheBoardKeepsEveryAnsweredOne) {
  testing::TempDir dir;
  const std::string db = testing::sqlite_url(dir.path());
  std::mutex mutex;
  std::set<std::int64_t> answered;
  {
    BoardProcess board(db, {"--rate", "100000"});
    std::atomic<int> next{0};
    std::vector<std::thread> clients;
    for (int c = 0; c < 4; ++c)
      clients.emplace_back([&] {
        try {
          for (int i; (i = next++) < 90;) {
            const testing::Reply r = board.post(run_body(i));
            const std::lock_guard lock(mutex);
            if (r.status == 201) answered.insert(r.json()["id"].get<std::int64_t>());
          }
        } catch (const std::runtime_error&) {  // the board is gone
        }
      });
    while (next < 40) std::this_thread::yield();
    board.stop(SIGKILL);
    for (std::thread& t : clients) t.join();
  }
  EXPECT_GE(answered.size(), 30u);
  const std::set<std::int64_t> ids = BoardProcess(db).ids();
  EXPECT_TRUE(std::includes(ids.begin(), ids.end(), answered.begin(), answered.end()));
  EXPECT_EQ(integrity(db.substr(7)), "ok");
}

TEST(Faults, OnAFullDiskRunsAreRefusedWith503AndNoneIsHalfWritten) {
  testing::TempDir dir;
  const std::filesystem::path disk = dir.path() / "disk";
  std::filesystem::create_directory(disk);
  if (const std::optional<std::string> why = testing::mount_small_disk(disk, "2m")) {
    // `make test` runs every test; elsewhere a system that allows no namespace skips it.
    if (const char* all = std::getenv("GLOUTON_REQUIRE_ALL"); all && std::string(all) == "1")
      FAIL() << *why;
    GTEST_SKIP() << *why;
  }
  const std::unique_ptr<const char, int (*)(const char*)> unmount(disk.c_str(), umount);
  const std::string db = testing::sqlite_url(disk);
  {
    BoardProcess board(db, {"--rate", "100000"});
    std::set<std::int64_t> answered{board.post(run_body(0)).json()["id"].get<std::int64_t>()};
    struct statvfs fs {};  // The disk filled but for 16 kB.
    const int fill = open((disk / "fill").c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_EQ(statvfs(disk.c_str(), &fs), 0);
    ASSERT_EQ(posix_fallocate(fill, 0, static_cast<off_t>(fs.f_bavail * fs.f_bsize) - 16384), 0);
    close(fill);
    int refused = 0;
    for (int i = 1; i < 200 && refused < 3; ++i) {
      const testing::Reply r = board.post(run_body(i));
      if (r.status == 201) answered.insert(r.json()["id"].get<std::int64_t>());
      refused += r.status == 503 && r.json()["error"] == "unavailable";
    }
    EXPECT_EQ(refused, 3);
    // Room again: the board takes runs without a restart.
    std::filesystem::remove(disk / "fill");
    answered.insert(board.post(run_body(500)).json()["id"].get<std::int64_t>());
    EXPECT_EQ(board.ids(), answered);
  }
  EXPECT_EQ(integrity(db.substr(7)), "ok");
}

}  // namespace
}  // namespace glouton
