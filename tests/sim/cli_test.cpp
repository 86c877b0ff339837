// glouton-sim's command line and key scripts: good runs, and bad input that
// must give status 2, one line naming the problem, and no trace.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <tuple>

#include "program/replay.h"
#include "program/replay_link.h"
#include "sim/cli.h"
#include "sim/key_script.h"
#include "sim/png_file.h"
#include "support/share_link.h"

namespace glouton {
namespace {

struct SimRun {
  int status;
  std::string out, err;
};

SimRun sim(const std::vector<std::string>& args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out, err;
  const int status = run_sim_cli(args, in, out, err);
  return {status, out.str(), err.str()};
}

const char* first_line =
    R"({"t":0,"ev":"load","cues":[4],"score":0,"best":0,"lives":3,"level":0,"eaten":0,"pellets":89,)"
    R"("bonus":50,"text1":"","text3":"","boxes":false,"keyseen":false,"dir":[0,0],)"
    R"("glouton":{"x":9,"y":2,"px":4320,"py":960,"ready":true},)"
    R"("chasers":[{"x":7,"y":8,"px":3360,"py":3840,"ready":true,"mode":null},)"
    R"({"x":9,"y":8,"px":4320,"py":3840,"ready":true,"mode":1},)"
    R"({"x":8,"y":8,"px":3840,"py":3840,"ready":true,"mode":1}],"intervals":[250,200,225]})"
    "\n";

TEST(SimCli, FirstLineIsTheLoad) {
  const SimRun r = sim({"--until", "0"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, first_line);
  EXPECT_EQ(r.err, "");
}

TEST(SimCli, KeysQuietPaintsAndTraceFile) {
  const SimRun keyed =
      sim({"--keys", "-", "--until", "100", "--paints"}, "# a comment\n\n50 left\r\n");
  ASSERT_EQ(keyed.status, 0) << keyed.err;
  std::istringstream lines(keyed.out);
  std::string line;
  std::vector<std::string> all;
  while (std::getline(lines, line)) all.push_back(line);
  ASSERT_EQ(all.size(), 3u);
  EXPECT_NE(all[1].find(R"("ev":"key","key":37,"cues":[])"), std::string::npos) << all[1];
  EXPECT_NE(all[2].find(R"("ev":"Timer1","cues":[1],"score":10)"), std::string::npos);
  EXPECT_NE(all[2].find(R"("paints":[["sol",4320,960],["glouton",4200,960]]})"), std::string::npos);

  const SimRun quiet = sim({"--keys", "-", "--until", "100", "--quiet"}, "50 left\n");
  EXPECT_EQ(std::count(quiet.out.begin(), quiet.out.end(), '\n'), 1);
  EXPECT_EQ(quiet.out.rfind(R"({"t":100,"ev":"Timer1","cues":[1],)", 0), 0u);

  const std::string path = ::testing::TempDir() + "glouton-trace.jsonl";
  const SimRun to_file = sim({"--until", "0", "--trace", path});
  EXPECT_EQ(to_file.out, "");
  std::ifstream file(path);
  std::stringstream written;
  written << file.rdbuf();
  EXPECT_EQ(written.str(), first_line);
  std::remove(path.c_str());
}

TEST(SimCli, BadCommandLinesSayWhyWithStatus2) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--until"},
                                             {"--until", "-5"},
                                             {"--until", "12ms"},
                                             {"--frobnicate"},
                                             {"--keys", "/nonexistent/keys.txt"},
                                             {"--keys", "/"},
                                             {"--x\ny"},
                                             {"--until", "1\n2"},
                                             {"--keys", "a\nb"},
                                             {"--trace", "/nonexistent/dir/out"},
                                             {"--replay", "/nonexistent/game.replay"},
                                             {"--replay", "-", "--until", "5"},
                                             {"--replay", "-", "--keys", "-"},
                                             {"--snapshot", "5"},
                                             {"--snapshot", "5s", "a.png"},
                                             {"--snapshot", "5", "a.png", "--until", "5"}}) {
    const SimRun r = sim(args);
    EXPECT_EQ(r.status, 2) << args[0];
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
  EXPECT_EQ(sim({"--help"}).status, 0);
  EXPECT_NE(sim({"--version"}).out.find("glouton-sim"), std::string::npos);
}

// The picture of a replay's moment is that of the keys it recorded; a file
// that cannot be written is status 1.
TEST(SimCli, SnapshotOfAReplayAndAnUnwritableFile) {
  const std::string dir = ::testing::TempDir(), sim_dir = GLOUTON_SOURCE_DIR "/tests/sim/";
  ASSERT_EQ(sim({"--keys", sim_dir + "scripts/steer.keys", "--until", "12000", "--quiet",
                 "--record", dir + "steer.replay"})
                .status,
            0);
  const SimRun shot =
      sim({"--replay", dir + "steer.replay", "--quiet", "--snapshot", "12000", dir + "shot.png"});
  ASSERT_EQ(shot.status, 0) << shot.err;
  std::string error;
  const std::optional<draw::PixelBuffer> got = read_png(dir + "shot.png", error);
  const std::optional<draw::PixelBuffer> want =
      read_png(sim_dir + "pictures/score_lives_lost.png", error);
  ASSERT_TRUE(got && want) << error;
  EXPECT_TRUE(std::equal(got->data(), got->data() + 644 * 448, want->data()));
  const SimRun unwritable = sim({"--snapshot", "0", "/nonexistent/shot.png"});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_NE(unwritable.err.find("/nonexistent/shot.png"), std::string::npos) << unwritable.err;
}

// A bad file given on standard input: its parser's error starts with PREFIX
// ("keys:3: "), and glouton-sim OPTION - prints that line alone, plays
// nothing and ends with status 2.
void expect_refused(const char* option, const std::string& text, const std::string& error,
                    const char* prefix) {
  EXPECT_EQ(error.rfind(prefix, 0), 0u) << text << " gave '" << error << "'";
  const SimRun run = sim({option, "-"}, text);
  EXPECT_EQ(run.status, 2) << text;
  EXPECT_EQ(run.out, "") << "nothing played: " << text;
  EXPECT_EQ(run.err, error + "\n");
}

TEST(KeyScript, BadLinesNameTheirLineNumber) {
  const std::pair<const char*, const char*> cases[] = {
      {"100\n", "keys:1: "},
      {"# c\n\n100 left right\n", "keys:3: "},
      {"100 left # no comments here\n", "keys:1: "},
      {"-5 left\n", "keys:1: "},
      {"+5 left\n", "keys:1: "},
      {"200 left\n100 right\n", "keys:2: "},
      {"100 Left\n", "keys:1: "},
      {"100 65536\n", "keys:1: "},
      {"100 -1\n", "keys:1: "},
      {"99999999999999999999999 left\n", "keys:1: "},
      {"100\tup\n1e3 up\n", "keys:2: "},
  };
  for (const auto& [text, prefix] : cases) {
    const KeyScriptResult r = parse_key_script(text);
    EXPECT_TRUE(r.events.empty());
    expect_refused("--keys", text, r.error, prefix);
  }
}

TEST(Replay, BadFilesNameTheirLineAndReasonAndPlayNothing) {
  // The whole reason is pinned: the reader takes strangers' bytes (the board).
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"", "replay:1: empty file: not a replay", "empty_file"},
      {"glouton-replay 2\n",
       "replay:1: made by a newer version of the game (format 2; this one reads 1)",
       "newer_format"},
      {"\x89PNG\r\n\x1a\n", "replay:1: not a replay: the first line must be 'glouton-replay 1'",
       "not_replay"},
      {"glouton-replay 1 \nload\n",
       "replay:1: not a replay: the first line must be 'glouton-replay 1'", "not_replay"},
      {"glouton-replay 1\nload x\n", "replay:2: unexpected text after 'load'", "text_after_load"},
      {"glouton-replay 1\nload\n100 key 37\n2OO\n", "replay:4: bad time '2OO'", "bad_time"},
      {"glouton-replay 1\n100\n", "replay:2: no game window is open (expected 'load')",
       "no_window"},
      {"glouton-replay 1\nload\n200\n100 key 37\n", "replay:4: time goes backwards",
       "time_backwards"},
      {"glouton-replay 1\nload\n100 key\n", "replay:3: 'key' needs a code", "no_key_code"},
      {"glouton-replay 1\nload\n100 key 65536\n", "replay:3: bad key code '65536'", "bad_key"},
      {"glouton-replay 1\nload\n100 close key 37\n", "replay:3: input after the window's end 'key'",
       "after_window_end"},
      {"glouton-replay 1\nload\n100 key 27\nload\n",
       "replay:4: the program ended on an earlier line", "after_program_end"},
      {"glouton-replay 1\nload\nload\n", "replay:3: a game window is open already", "window_open"},
      {"glouton-replay 1\nload\n100 load\n", "replay:3: unknown input 'load'", "bad_input"},
      {"glouton-replay 1\nload\n100 jump\n", "replay:3: unknown input 'jump'", "bad_input"},
      {"glouton-replay 1\nload\n\n", "replay:3: empty line", "empty_line"},
      {"glouton-replay 1\nload\n100 key 37", "replay:3: the line is cut short (no line end)",
       "no_line_end"},
  };
  std::string huge = std::string(replay_header) + "\nload\n";
  while (huge.size() <= replay_size_limit) huge += "100\n";
  EXPECT_EQ(parse_replay(huge).error, "replay:1: over the size limit of 16 MiB: not played");
  EXPECT_EQ(parse_replay(huge).reason, "too_big");
  for (const auto& [text, reason, code] : cases) {
    const ReplayResult r = parse_replay(text);
    EXPECT_EQ(r.error, reason) << text;
    EXPECT_EQ(r.reason, code) << text;  // what the page says in its own words
    EXPECT_EQ(r.error.rfind("replay:" + std::to_string(r.line) + ": ", 0), 0u) << text;
    expect_refused("--replay", text, reason, reason);
  }
}

TEST(Replay, PlaysEachWindowFromItsLoadWithTheBestScoreCarried) {
  // The second window's lines count from its own load, as the window writes them.
  const SimRun run =
      sim({"--replay", "-"}, "glouton-replay 1\nload\n50 key 37\n100\n150 close\nload\n0 key 27\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.rfind(first_line, 0), 0u);
  EXPECT_NE(run.out.find("\n{\"t\":50,\"ev\":\"key\",\"key\":37,"), std::string::npos);
  EXPECT_NE(run.out.find("\n{\"t\":100,\"ev\":\"Timer1\","), std::string::npos);
  EXPECT_EQ(run.out.find("\"t\":150"), std::string::npos) << "closing the frame is no event";
  EXPECT_NE(run.out.find(std::string("\n") + first_line), std::string::npos)
      << "a second load at 0";
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 5);
}

TEST(Replay, SummaryIsOneLineThatChangesWithTheRun) {
  const std::string replay = "glouton-replay 1\nload\n50 key 37\n100\n200\n300\n400 key 27\n";
  const std::string summary = sim({"--replay", "-", "--summary"}, replay).out;
  EXPECT_EQ(summary,
            "{\"score\":10,\"best\":0,\"levels\":0,\"lives\":3,\"time\":400,\"keys\":2,"
            "\"hash\":\"fnv1a64:50fa8db249231020\"}\n");
  std::string other = replay;
  other.replace(other.find("key 37"), 6, "key 39");
  const std::string other_summary = sim({"--replay", "-", "--summary"}, other).out;
  EXPECT_NE(other_summary.substr(other_summary.find("fnv1a64")),
            summary.substr(summary.find("fnv1a64")))
      << "the glouton went the other way";
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--summary"}, {"--replay", "-", "--summary", "--quiet"}})
    EXPECT_EQ(sim(args, replay).status, 2);
  // No game window: nothing played, nothing reached.
  EXPECT_EQ(sim({"--replay", "-", "--summary"}, "glouton-replay 1\n").out,
            "{\"score\":0,\"best\":0,\"levels\":0,\"lives\":0,\"time\":0,\"keys\":0,"
            "\"hash\":\"fnv1a64:0000000000000000\"}\n");
}

TEST(Replay, ShareLinksPlayAsTheirTextOrSayWhatIsWrong) {
  const std::string text = "glouton-replay 1\nload\n50 key 37\n100\n200\n300\n400 key 27\n";
  const std::string link = testing::share_link(text);
  const std::string summary = sim({"--replay", "-", "--summary"}, text).out;
  EXPECT_EQ(sim({"--replay", "-", "--summary"}, "http://127.0.0.1:8000/?trace" + link + "\r\n").out,
            summary);
  // The link itself as the argument, as a player pastes it.
  EXPECT_EQ(sim({"--replay", "http://127.0.0.1:8000/" + link, "--summary"}, "").out, summary);
  EXPECT_EQ(decode_replay_link(link.substr(replay_link_key.size())).steps,
            parse_replay(text).steps);

  const std::string packed = testing::deflate_raw(text);
  const std::string data = link.substr(replay_link_key.size());
  std::string huge = std::string(replay_header) + "\nload\n";
  while (huge.size() <= replay_size_limit) huge += "100\n";
  const std::tuple<std::string, const char*, const char*> cases[] = {
      {"#replay=a%b.c", "replay:1: the link is altered: character 2 after '#replay=' is not",
       "link_altered"},
      {"<html>\n", "replay:1: not a replay link: no '#replay=' in it", "not_link"},
      {"#replay=", "replay:1: the link holds no replay", "link_empty"},
      {link.substr(0, link.size() - data.size() % 4 - 3), "replay:1: the link is cut short or ",
       "link_cut"},
      {"#replay=" + data.substr(0, data.size() / 8 * 4),
       "replay:1: the link is cut short: ", "link_cut"},
      {"#replay=" + testing::base64url(char(packed[0] | 6) + packed.substr(1)),
       "replay:1: the link is altered: its compressed data do not inflate (invalid block type)",
       "link_altered"},
      {"#replay=" + testing::base64url(packed + "xyz"), "replay:1: the link is altered: 3 bytes",
       "link_altered"},
      {testing::share_link(huge), "replay:1: the link's replay is over the size limit of 16 MiB",
       "link_too_big"},
      {testing::share_link("glouton-replay 1\nload\n100 jump\n"), "replay:3: unknown input",
       "bad_input"},
  };
  for (const auto& [input, prefix, code] : cases) {
    const ReplayResult r = decode_replay_link(input);
    EXPECT_TRUE(r.steps.empty()) << input;
    EXPECT_EQ(r.reason, code) << r.error;
    if (input.find(replay_link_key) == std::string::npos)
      EXPECT_EQ(r.error.rfind(prefix, 0), 0u) << r.error;
    else
      expect_refused("--replay", input, r.error, prefix);
  }
}

TEST(KeyScript, GoodScripts) {
  const KeyScriptResult r =
      parse_key_script("  # leading blanks\n0 escape\r\n\t10\t65535  \n10 space\n\n20 up\n30 down");
  ASSERT_EQ(r.error, "");
  const std::vector<std::pair<std::int64_t, int>> expected = {
      {0, 27}, {10, 65535}, {10, 32}, {20, 38}, {30, 40}};
  ASSERT_EQ(r.events.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(r.events[i].t, expected[i].first);
    EXPECT_EQ(r.events[i].code, expected[i].second);
  }
  // Events after --until are checked but not played.
  const SimRun late = sim({"--keys", "-", "--until", "0", "--quiet"}, "5 left\n");
  EXPECT_EQ(late.out, first_line);
  const SimRun bad_late = sim({"--keys", "-", "--until", "0"}, "5 left\n6 sideways\n");
  EXPECT_EQ(bad_late.status, 2);
}

}  // namespace
}  // namespace glouton
