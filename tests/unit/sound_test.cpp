// The cue table and what each cue asks of the sound device.
#include <gtest/gtest.h>

#include "support/test_window.h"

namespace glouton {
namespace {

TEST(Cues, EachCuePlaysItsFileOrBeepsOrNothing) {
  EXPECT_EQ(cue_file(2), "gloutonone/bloop.wav ") << "the bonus sound's name ends in a blank";
  EXPECT_EQ(cue_file(3), "gloutonone/short11.wav");
  EXPECT_EQ(cue_file(4), "gloutonone/short34.wav");
  EXPECT_EQ(cue_file(5), "gloutonone/silly.wav");
  EXPECT_EQ(cue_file(6), "gloutonone/Halleluj.wav");

  testing::RecordingDevice device;
  MMControl mm(device);
  for (int nb : {0, 1, 7, 8, -1, 32767}) jouer_son(mm, nb);
  EXPECT_EQ(device.calls, std::vector<std::string>{"beep"});
  EXPECT_EQ(mm.take_log(), (std::vector<int>{0, 1, 7, 8, -1, 32767})) << "every cue is logged";
  EXPECT_TRUE(mm.take_log().empty());

  for (int nb = 2; nb <= 6; ++nb) jouer_son(mm, nb);
  const std::vector<testing::PlayedFile> expected = {{"gloutonone/bloop.wav ", false},
                                                     {"gloutonone/short11.wav", false},
                                                     {"gloutonone/short34.wav", false},
                                                     {"gloutonone/silly.wav", true},
                                                     {"gloutonone/Halleluj.wav", false}};
  EXPECT_EQ(device.played, expected) << "only the lost-life sound is held to its end";
}

}  // namespace
}  // namespace glouton
