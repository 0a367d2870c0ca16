#include <gtest/gtest.h>

#include "core/Timer.h"
#include "support/TestClock.h"

// A timer set while paused runs the new length once resumed, as if set at the resumption.
TEST(TimerSetWhilePaused, ResumesAsAFreshRunOfTheNewLength) {
  TestClock clock;
  Timer timer(1000);
  clock.advance(300);
  timer.pause();
  timer.set(500);
  EXPECT_EQ(timer.getTimeLeft(), 500);
  clock.advance(2000);
  timer.unPause();
  EXPECT_EQ(timer.totalTime(), 500);
  EXPECT_EQ(timer.getTime(), 0);
  EXPECT_EQ(timer.getTimeLeft(), 500);
  clock.advance(500);
  EXPECT_FALSE(timer.isUp());
  clock.advance(1);
  EXPECT_TRUE(timer.isUp());
}

// A timer that was unset when all timers were paused and is set before they resume runs.
TEST(TimerSetWhilePaused, TimerNeverSetBeforeThePauseRunsAfterIt) {
  TestClock clock;
  Timer timer;
  timer.pause();
  timer.set(200);
  clock.advance(50);
  timer.unPause();
  EXPECT_TRUE(timer.isSet());
  EXPECT_EQ(timer.getTimeLeft(), 200);
  clock.advance(200);
  EXPECT_FALSE(timer.isUp());
  clock.advance(1);
  EXPECT_TRUE(timer.isUp());
}

TEST(TimerSetWhilePaused, ResetWhilePausedRestartsTheFullLength) {
  TestClock clock;
  Timer timer(1000);
  clock.advance(600);
  timer.pause();
  timer.reset();
  clock.advance(5000);
  timer.unPause();
  EXPECT_EQ(timer.getTimeLeft(), 1000);
  EXPECT_EQ(timer.getTime(), 0);
}
