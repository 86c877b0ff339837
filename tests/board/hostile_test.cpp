// What strangers may send the board: each request gets its status and its
// error's code, nothing of it is stored, and the server stays up.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "board/board_process.h"
#include "board/submission.h"
#include "support/share_link.h"
#include "support/temp_dir.h"

namespace glouton {
namespace {

using namespace std::chrono_literals;
using testing::BoardProcess;
using testing::submission;
using testing::waiting_run;

TEST(Hostile, RequestsGetTheirStatusAndNothingIsStored) {
  const std::string good = waiting_run(100);
  std::string bomb = good;
  while (bomb.size() <= replay_size_limit) bomb += "100\n";
  std::string chunked =
      "POST /api/v1/runs HTTP/1.1\r\nConnection: close\r\n"
      "Transfer-Encoding: chunked\r\n\r\n";
  for (int i = 0; i < 5; ++i) chunked += "100000\r\n" + std::string(1 << 20, 'a') + "\r\n";
  const auto post = BoardProcess::post_request;
  struct Row {
    std::string label, request;
    int status;
    std::string error;
    std::size_t filler = 0;  // body bytes sent after the request
  };
  const Row table[] = {
      {"1 byte over the limit", post(std::string(board::body_limit + 1, ' ')), 413, "too_big"},
      {"a 100 MB body", "POST /api/v1/runs HTTP/1.1\r\nContent-Length: 100000000\r\n\r\n", 413,
       "too_big", 100'000'000},
      {"chunked over the limit", chunked + "0\r\n\r\n", 413, "too_big"},
      {"not HTTP", "HELLO\r\n\r\n", 400, "bad_request"},
      {"not JSON", post("{\"name\":"), 400, "bad_request"},
      {"JSON nested deep", post(std::string(1 << 20, '[')), 400, "bad_request"},
      {"no replay", post(R"({"name":"a"})"), 400, "bad_replay"},
      {"a bomb link", post(submission("a", testing::share_link(bomb))), 422, "bad_replay"},
      {"a cut replay", post(submission("a", good + "200 ke")), 422, "bad_replay"},
      {"an altered replay", post(submission("a", good + "50\n")), 422, "bad_replay"},
      {"a later format", post(submission("a", "glouton-replay 2\nload\n")), 422, "bad_replay"},
      {"not a replay", post(submission("a", "<html>")), 422, "bad_replay"},
      {"a header alone", post(submission("a", "glouton-replay 1\n")), 422, "bad_replay"},
      {"over 12 hours", post(submission("a", waiting_run(43'200'001))), 422, "too_long"},
      {"an empty name", post(submission(" ", good)), 400, "bad_name"},
      {"21 characters", post(submission(std::string(21, 'x'), good)), 400, "bad_name"},
      {"a control character", post(submission("a\x1b[2J", good)), 400, "bad_name"},
      {"a bidi override", post(submission("a\u202Eb", good)), 400, "bad_name"},
      {"not UTF-8", post("{\"name\":\"\xff\",\"replay\":\"\"}"), 400, "bad_request"},
      {"one too many", post(submission("a", waiting_run(300))), 429, "too_many"},
  };
  // The rate takes the two runs below and every row but "not HTTP" (no
  // submission) and the last.
  testing::TempDir dir;
  BoardProcess board(testing::sqlite_url(dir.path()), {"--rate", std::to_string(std::size(table))});

  // Taken as they are, and given back as text: 20 characters once in NFC
  // (40 sent) in a run of 12 hours, and markup in a body of the largest size.
  std::string decomposed, composed;
  for (int i = 0; i < 20; ++i) decomposed += "e\u0301", composed += "\u00e9";
  for (const auto& [sent, stored] : {std::pair{decomposed, composed}, {"<script>1</script>", ""}}) {
    std::string body = submission(sent, waiting_run(stored.empty() ? 200 : 43'200'000));
    if (stored.empty()) body.resize(board::body_limit, ' ');
    const testing::Reply r = board.post(body);
    ASSERT_EQ(r.status, 201) << r.body;
    const testing::Reply entry = board.get("/api/v1/runs/" + r.json()["id"].dump());
    EXPECT_NE(entry.head.find("Content-Type: application/json"), std::string::npos);
    EXPECT_EQ(entry.json()["name"], stored.empty() ? sent : stored);
  }
  for (const Row& row : table) {
    const testing::Reply r = board.raw(row.request, row.filler);
    EXPECT_EQ(r.status, row.status) << row.label << ": " << r.head;
    EXPECT_EQ(r.json().value("error", ""), row.error) << row.label << ": " << r.body;
    EXPECT_FALSE(r.json().value("reason", "").empty()) << row.label;
  }
  EXPECT_EQ(board.ids().size(), 2u);  // nothing refused is stored
}

TEST(Hostile, ASlowSenderIsCutAtTheDeadlineWhileOthersAreServed) {
  testing::TempDir dir;
  BoardProcess board(testing::sqlite_url(dir.path()), {"--deadline", "2"});
  const int fd = board.connect();
  const auto start = std::chrono::steady_clock::now();
  // A byte of headers every 200 ms, each within the read timeout, until the board cuts it.
  ASSERT_EQ(send(fd, "P", 1, MSG_NOSIGNAL), 1);
  EXPECT_EQ(board.get("/").status, 404);  // others are served meanwhile
  while (send(fd, "a", 1, MSG_NOSIGNAL) == 1 && std::chrono::steady_clock::now() - start < 10s)
    std::this_thread::sleep_for(200ms);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
  close(fd);
}

}  // namespace
}  // namespace glouton
