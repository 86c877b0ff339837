// The clock rules of the five timers: start, restart, order at one instant,
// and catching up without a burst.
#include <gtest/gtest.h>

#include "support/test_window.h"

namespace glouton {
namespace {

TEST(Timer, FiresAtWholeIntervalsFromItsStart) {
  Clock clock;
  clock.now = 30;
  Timer timer(clock, 100, false);
  EXPECT_FALSE(timer.is_due());
  timer.setEnabled(true);  // starts now, at 30
  EXPECT_EQ(timer.due(), 130);
  clock.now = 129;
  EXPECT_FALSE(timer.is_due());
  clock.now = 130;
  EXPECT_TRUE(timer.is_due());
  timer.ticked();
  EXPECT_EQ(timer.due(), 230);
  EXPECT_FALSE(timer.is_due());
}

TEST(Timer, AnyIntervalAssignmentRestartsAnEnabledTimer) {
  Clock clock;
  Timer timer(clock, 250, true);
  clock.now = 250;  // a tick is pending at this instant
  timer.setInterval(250);
  EXPECT_FALSE(timer.is_due()) << "the pending tick is dropped";
  EXPECT_EQ(timer.due(), 500);
  clock.now = 300;
  timer.setInterval(230);
  EXPECT_EQ(timer.due(), 530);

  Timer stopped(clock, 300, false);
  stopped.setInterval(250);  // a disabled timer keeps only the value
  clock.now = 1000;
  EXPECT_FALSE(stopped.is_due());
  stopped.setEnabled(true);
  EXPECT_EQ(stopped.due(), 1250);
  stopped.setEnabled(true);  // already running: not restarted
  EXPECT_EQ(stopped.due(), 1250);
}

TEST(Timer, FallingBehindFiresOnceForAllMissedTicks) {
  Clock clock;
  Timer timer(clock, 100, true);
  clock.now = 450;  // ticks of 100, 200, 300 and 400 were missed
  ASSERT_TRUE(timer.is_due());
  timer.ticked();
  EXPECT_FALSE(timer.is_due());
  EXPECT_EQ(timer.due(), 500) << "the grid of ticks is kept";
}

TEST(EventOrder, DueTimersFireInOrderOnceEachWithTheirDueTime) {
  testing::TestWindow w;
  std::vector<EventRecord> events;
  EventOrder session(w.form, w.clock, [&](const EventRecord& r) { events.push_back(r); });
  session.load();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].ev, Event::load);
  EXPECT_EQ(events[0].cues, std::vector<int>{4});

  // Woken late at 1000 ms: every chaser timer and Timer1 fire once, in the
  // order they fell due, so that the trace stays in time order.
  events.clear();
  w.clock.now = 1000;
  session.run_due_timers();
  ASSERT_EQ(events.size(), 4u) << "each late timer fires once, no burst";
  const std::pair<Event, std::int64_t> late[] = {
      {Event::Timer1, 100}, {Event::Timer3, 200}, {Event::Timer4, 225}, {Event::Timer2, 250}};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(events[i].ev, late[i].first);
    EXPECT_EQ(events[i].t, late[i].second) << "a late tick carries the time it was first due";
  }
  EXPECT_EQ(session.next_due(), 1100);

  // At 5000 ms: Timer1, Timer2, Timer3 and Timer5 all at once, in that order.
  w.clock.now = 4999;
  session.run_due_timers();
  events.clear();
  w.clock.now = 5000;
  session.run_due_timers();
  std::vector<Event> order;
  for (const EventRecord& r : events) order.push_back(r.ev);
  EXPECT_EQ(order,
            (std::vector<Event>{Event::Timer1, Event::Timer2, Event::Timer3, Event::Timer5}));
  for (const EventRecord& r : events) EXPECT_EQ(r.t, 5000);
}

TEST(EventOrder, OnlyTheGloutonAndBestScoreTimersRunBeforeTheLoad) {
  testing::TestWindow w;
  EXPECT_TRUE(w.form.Timer1.Enabled());
  EXPECT_TRUE(w.form.Timer5.Enabled());
  EXPECT_FALSE(w.form.Timer2.Enabled());
  EXPECT_FALSE(w.form.Timer3.Enabled());
  EXPECT_FALSE(w.form.Timer4.Enabled());
  EventOrder session(w.form, w.clock);
  session.load();
  EXPECT_TRUE(w.form.Timer2.Enabled());
  EXPECT_EQ(w.form.Timer2.due(), 250);
  EXPECT_EQ(w.form.Timer3.due(), 200);
  EXPECT_EQ(w.form.Timer4.due(), 225);
}

}  // namespace
}  // namespace glouton
