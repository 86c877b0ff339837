// What strangers may send the board: each request gets its status and its
// error's code, nothing of it is stored, and the server stays up.
#include <gtest/gtest.h>

#include <chrono>
#include <nlohmann/json.hpp>
#include <thread>

#include "board/board_process.h"
#include "board/submission.h"
#include "program/replay.h"
#include "support/share_link.h"
#include "support/temp_dir.h"

namespace glouton {
namespace {

using nlohmann::json;

std::string waiting(std::int64_t ms) {
  return std::string(replay_header) + "\nload\n" + std::to_string(ms) + "\n";
}
const std::string good_replay = waiting(100);

std::string submission(const std::string& name, const std::string& replay) {
  return json{{"name", name}, {"replay", replay}}.dump();
}

std::string post(const std::string& body, const std::string& headers = "") {
  return "POST /api/v1/runs HTTP/1.1\r\nHost: board\r\nConnection: close\r\n" + headers +
         "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::string sqlite(const testing::TempDir& dir) {
  return "sqlite:" + (dir.path() / "board.sqlite").string();
}

TEST(Hostile, RequestsGetTheirStatusAndNothingIsStored) {
  testing::TempDir dir;
  testing::BoardProcess board(sqlite(dir), {"--rate", "1000"});
  std::string bomb = std::string(replay_header) + "\nload\n";
  while (bomb.size() <= replay_size_limit) bomb += "100\n";
  const std::string chunk = "100000\r\n" + std::string(1 << 20, 'a') + "\r\n";
  std::string chunked;
  for (int i = 0; i < 5; ++i) chunked += chunk;
  struct Row {
    std::string label, request;
    std::size_t filler;  // body bytes sent after the request
    int status;
    std::string error;
  };
  const std::vector<Row> table = {
      {"a body 1 byte over the limit", post(std::string(board::body_limit + 1, ' ')), 0, 413,
       "too_big"},
      {"a 100 MB body", post("").replace(post("").find("Length: 0"), 9, "Length: 100000000"),
       100'000'000, 413, "too_big"},
      {"a chunked body over the limit",
       "POST /api/v1/runs HTTP/1.1\r\nHost: b\r\nConnection: close\r\nTransfer-Encoding: "
       "chunked\r\n\r\n" +
           chunked + "0\r\n\r\n",
       0, 413, "too_big"},
      {"not HTTP", "HELLO\r\n\r\n", 0, 400, "bad_request"},
      {"not JSON", post("{\"name\":"), 0, 400, "bad_request"},
      {"JSON nested deep", post(std::string(1 << 20, '[')), 0, 400, "bad_request"},
      {"no replay", post(R"({"name":"a"})"), 0, 400, "bad_replay"},
      {"a bomb link", post(submission("a", testing::share_link(bomb))), 0, 422, "bad_replay"},
      {"a cut replay", post(submission("a", good_replay + "200 ke")), 0, 422, "bad_replay"},
      {"an altered replay", post(submission("a", good_replay + "50\n")), 0, 422, "bad_replay"},
      {"a later format", post(submission("a", "glouton-replay 2\nload\n")), 0, 422, "bad_replay"},
      {"not a replay", post(submission("a", "<html>")), 0, 422, "bad_replay"},
      {"a header alone", post(submission("a", "glouton-replay 1\n")), 0, 422, "bad_replay"},
      {"over 12 hours", post(submission("a", waiting(43'200'001))), 0, 422, "too_long"},
      {"an empty name", post(submission(" ", good_replay)), 0, 400, "bad_name"},
      {"21 characters", post(submission(std::string(21, 'x'), good_replay)), 0, 400, "bad_name"},
      {"a control character", post(submission("a\x1b[2J", good_replay)), 0, 400, "bad_name"},
      {"a bidi override", post(submission("a\u202Eb", good_replay)), 0, 400, "bad_name"},
      {"not UTF-8", post("{\"name\":\"\xff\",\"replay\":\"\"}"), 0, 400, "bad_request"},
  };
  for (const Row& row : table) {
    const testing::Reply r = board.raw(row.request, row.filler);
    EXPECT_EQ(r.status, row.status) << row.label << ": " << r.head;
    const json body = json::parse(r.body, nullptr, false);
    EXPECT_EQ(body.value("error", ""), row.error) << row.label << ": " << r.body;
    EXPECT_FALSE(body.value("reason", "").empty()) << row.label;
  }
  EXPECT_EQ(board.get("/api/v1/board").body, R"({"runs":[]})");

  // Taken as they are, and given back as text: 20 characters once in NFC
  // (40 sent) in a run of 12 hours, and markup in a body of the largest size.
  std::string decomposed, composed;
  for (int i = 0; i < 20; ++i) decomposed += "e\u0301", composed += "\u00e9";
  for (const auto& [sent, stored] : {std::pair{decomposed, composed}, {"<script>1</script>", ""}}) {
    std::string body = submission(sent, waiting(stored.empty() ? 200 : 43'200'000));
    if (stored.empty()) body.resize(board::body_limit, ' ');
    const testing::Reply r = board.post(body);
    ASSERT_EQ(r.status, 201) << r.body;
    const testing::Reply entry = board.get("/api/v1/runs/" + json::parse(r.body)["id"].dump());
    EXPECT_NE(entry.head.find("Content-Type: application/json"), std::string::npos);
    EXPECT_EQ(json::parse(entry.body)["name"], stored.empty() ? sent : stored);
  }
}

TEST(Hostile, OneAddressGetsRateSubmissionsAMinuteTakenOrRefused) {
  testing::TempDir dir;
  testing::BoardProcess board(sqlite(dir), {"--rate", "3"});
  for (int i = 0; i < 3; ++i) EXPECT_EQ(board.post("{").status, 400) << i;
  const testing::Reply r = board.post(submission("a", good_replay));
  EXPECT_EQ(r.status, 429);
  EXPECT_EQ(json::parse(r.body)["error"], "too_many");
  EXPECT_EQ(board.get("/api/v1/board").status, 200);  // reading is not submitting
}

TEST(Hostile, ASlowSenderIsCutAtTheDeadlineWhileOthersAreServed) {
  testing::TempDir dir;
  testing::BoardProcess board(sqlite(dir), {"--deadline", "2"});
  const int fd = board.connect();
  const auto start = std::chrono::steady_clock::now();
  std::thread trickle([fd] {
    const std::string request = "POST /api/v1/runs HTTP/1.1\r\nX-Slow: " + std::string(100, 'a');
    for (const char ch : request) {
      if (send(fd, &ch, 1, MSG_NOSIGNAL) != 1) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
  });
  EXPECT_EQ(board.get("/api/v1/board").status, 200);
  char byte;
  EXPECT_LE(recv(fd, &byte, 1, 0), 0);  // the server closed it
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  trickle.join();
  close(fd);
}

}  // namespace
}  // namespace glouton
