// The game's command line, its trace file, and the words of its messages.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string_view>
#include <utility>

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
  sim.run({}, 200, [&](const Form1& form, const EventRecord& record, std::vector<Paint>&&) {
    std::string line;
    append_trace_line(line, form, record, nullptr, record.t + 3);
    line.pop_back();
    trace->add_line(line);
  });
  EXPECT_EQ(read(path), "");  // nothing is written before a flush
  trace->flush();
  // load, Timer1 at 100 and 200, chaser 3 (Timer3) at 200; each line as the
  // simulator prints it, with `,"wall":t+3` before its closing brace.
  const std::pair<const char*, const char*> lines[] = {
      {R"({"t":0,"ev":"load","cues":[4],"score":0,)", R"("intervals":[250,200,225],"wall":3})"},
      {R"({"t":100,"ev":"Timer1","cues":[],)", R"(,"wall":103})"},
      {R"({"t":200,"ev":"Timer1","cues":[],)", R"(,"wall":203})"},
      {R"({"t":200,"ev":"Timer3","cues":[],)", R"(,"wall":203})"},
  };
  std::istringstream written(read(path));
  std::string line;
  for (const auto& [start, end] : lines) {
    ASSERT_TRUE(std::getline(written, line)) << "no line for " << start;
    EXPECT_EQ(line.rfind(start, 0), 0u) << line;
    EXPECT_TRUE(line.size() > std::string_view(end).size() && line.ends_with(end)) << line;
    EXPECT_EQ(line.find("wall"), line.rfind("wall")) << "one wall member: " << line;
  }
  EXPECT_FALSE(std::getline(written, line)) << "a line too many: " << line;
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
