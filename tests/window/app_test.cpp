// The game's command line, its trace file, and the words of its messages.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/line_file.h"
#include "app/options.h"
#include "platform/message_box.h"
#include "platform/sdl_context.h"
#include "program/trace.h"
#include "sim/simulation.h"
#include "support/temp_dir.h"

namespace glouton {
namespace {

using app::Action;
using app::parse_options;

TEST(Options, NothingMeansPlayWithoutTrace) {
  const app::Parsed p = parse_options({});
  EXPECT_FALSE(p.error);
  EXPECT_EQ(p.options.action, Action::play);
  EXPECT_FALSE(p.options.trace);
}

TEST(Options, TraceRecordAndReplayTakeAFile) {
  app::Parsed p = parse_options({"--trace", "out.jsonl", "--record", "game.replay"});
  EXPECT_FALSE(p.error);
  EXPECT_EQ(p.options.trace, "out.jsonl");
  EXPECT_EQ(p.options.record, "game.replay");
  EXPECT_EQ(parse_options({"--replay", "game.replay"}).options.replay, "game.replay");
  for (const char* option : {"--trace", "--record", "--replay"}) {
    EXPECT_TRUE(parse_options({option}).error) << option;
    EXPECT_TRUE(parse_options({option, ""}).error) << option;
    EXPECT_TRUE(parse_options({option, "a", option, "b"}).error) << option;
  }
  EXPECT_TRUE(parse_options({"--record", "a", "--replay", "b"}).error)
      << "a replay shown is not recorded again";
}

TEST(Options, HelpAndVersionWinAndAnythingElseIsAnError) {
  EXPECT_EQ(parse_options({"--help"}).options.action, Action::help);
  EXPECT_EQ(parse_options({"--trace", "f", "--version"}).options.action, Action::version);
  const app::Parsed bad = parse_options({"--keys", "k"});
  ASSERT_TRUE(bad.error);
  EXPECT_NE(bad.error->find("--keys"), std::string::npos);
  EXPECT_TRUE(parse_options({"game"}).error);
}

std::string read(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(TraceFile, WritesTheSimulatorsLinesWithTheirWallTimeOnFlush) {
  testing::TempDir dir;
  const std::filesystem::path path = dir.path() / "trace.jsonl";
  std::string error;
  std::unique_ptr<app::LineFile> trace = app::LineFile::create(path.string(), "trace", error);
  ASSERT_TRUE(trace) << error;

  Simulation sim;
  std::string expected;
  sim.run({}, 200, [&](const Form1& form, const EventRecord& record, std::vector<Paint>&&) {
    trace->add(form, record, record.t + 3);
    append_trace_line(expected, form, record);
  });
  EXPECT_EQ(read(path), "");  // nothing is written before a flush
  trace->flush();
  const std::string written = read(path);
  // Each line is the simulator's with `,"wall":t+3` before its closing brace.
  std::size_t at = 0, from = 0;
  int lines = 0;
  while ((at = expected.find("}\n", from)) != std::string::npos) {
    const std::string line = expected.substr(from, at - from);
    const std::size_t t_end = line.find(',');
    const long t = std::stol(line.substr(5, t_end - 5));
    EXPECT_NE(written.find(line + ",\"wall\":" + std::to_string(t + 3) + "}\n"), std::string::npos)
        << line;
    from = at + 2;
    ++lines;
  }
  EXPECT_EQ(lines, 1 + 2 + 1);  // load, Timer1 at 100 and 200, chaser 3 (Timer3) at 200
}

TEST(TraceFile, AFileThatCannotBeMadeIsAnError) {
  std::string error;
  EXPECT_FALSE(app::LineFile::create("/nonexistent-folder/trace.jsonl", "trace", error));
  EXPECT_NE(error.find("/nonexistent-folder/trace.jsonl"), std::string::npos) << error;
}

TEST(Messages, NoDisplaySaysWhy) {
  EXPECT_NE(platform::no_display_message(nullptr, nullptr, "")
                .find("no display found (DISPLAY is not set)"),
            std::string::npos);
  EXPECT_NE(platform::no_display_message("", "", "").find("DISPLAY is not set"), std::string::npos);
  EXPECT_NE(platform::no_display_message(":7", nullptr, "x11 failed")
                .find("cannot open display :7: x11 failed"),
            std::string::npos);
  EXPECT_NE(
      platform::no_display_message(nullptr, "wayland-0", "").find("Wayland display wayland-0"),
      std::string::npos);
}

TEST(Messages, TheInformationBoxGetsPlainLineEnds) {
  EXPECT_EQ(platform::plain_line_ends("one\r\ntwo\r\nthree"), "one\ntwo\nthree");
  EXPECT_EQ(platform::plain_line_ends("a\rb\nc"), "a\nb\nc");
  EXPECT_EQ(platform::plain_line_ends(""), "");
}

}  // namespace
}  // namespace glouton
