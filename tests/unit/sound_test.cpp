// The cue table, what each cue asks of the sound device, and which file
// sound plays when (a held one is never cut short).
#include <gtest/gtest.h>

#include "sound/file_sound_order.h"
#include "support/test_window.h"

namespace glouton {
namespace {

TEST(Cues, EachCuePlaysItsFileOrBeepsOrNothing) {
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

TEST(FileSoundOrder, ANewSoundCutsTheOneBefore) {
  FileSoundOrder order;
  EXPECT_EQ(order.ask({"a", false}), (FileRequest{"a", false}));
  EXPECT_EQ(order.ask({"b", false}), (FileRequest{"b", false}));
  EXPECT_FALSE(order.holding());
  EXPECT_FALSE(order.waiting());
}

TEST(FileSoundOrder, AHeldSoundMakesTheNextWaitForIt) {
  FileSoundOrder order;
  EXPECT_TRUE(order.ask({"silly", true}));
  EXPECT_TRUE(order.holding());
  EXPECT_EQ(order.ask({"short34", false}), std::nullopt);
  EXPECT_TRUE(order.waiting());
  EXPECT_EQ(order.held_ended(), (FileRequest{"short34", false}));
  EXPECT_FALSE(order.holding());
  EXPECT_FALSE(order.waiting());
  EXPECT_EQ(order.held_ended(), std::nullopt);
}

TEST(FileSoundOrder, OfTheSoundsAskedMeanwhileOnlyTheLastUnheldOneIsKept) {
  FileSoundOrder order;
  order.ask({"silly", true});
  order.ask({"short34", false});
  order.ask({"Halleluj", false});  // would have cut short34 at once
  EXPECT_EQ(order.held_ended(), (FileRequest{"Halleluj", false}));
  EXPECT_EQ(order.held_ended(), std::nullopt);
}

TEST(FileSoundOrder, HeldSoundsWaitInTurn) {
  FileSoundOrder order;
  order.ask({"one", true});
  order.ask({"x", false});
  order.ask({"two", true});
  order.ask({"after", false});
  EXPECT_EQ(order.held_ended(), (FileRequest{"two", true}));
  EXPECT_TRUE(order.holding());
  EXPECT_EQ(order.ask({"later", false}), std::nullopt);
  EXPECT_EQ(order.held_ended(), (FileRequest{"later", false}));
  EXPECT_FALSE(order.holding());
}

TEST(FileSoundOrder, ClearForgetsEverything) {
  FileSoundOrder order;
  order.ask({"one", true});
  order.ask({"x", false});
  order.clear();
  EXPECT_FALSE(order.holding());
  EXPECT_FALSE(order.waiting());
  EXPECT_EQ(order.ask({"y", false}), (FileRequest{"y", false}));
}

}  // namespace
}  // namespace glouton
