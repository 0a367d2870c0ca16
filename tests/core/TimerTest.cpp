#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/Timer.h"
#include "support/TestClock.h"

TEST(TimerTest, UpOnlyAfterItsTimeHasPassed) {
  TestClock clock;
  Timer timer(100);
  clock.advance(100);
  EXPECT_FALSE(timer.isUp());
  clock.advance(1);
  EXPECT_TRUE(timer.isUp());
  Timer unset;
  EXPECT_FALSE(unset.isUp());
  EXPECT_EQ(unset.getTimeLeft(), -1);
  timer.set(-1);
  EXPECT_FALSE(timer.isSet());
}

TEST(TimerTest, PausedTimerResumesWithTheTimeItHadLeft) {
  TestClock clock;
  Timer timer(1000);
  clock.advance(300);
  timer.pause();
  EXPECT_EQ(timer.getTimeLeft(), 700);
  clock.advance(5000);
  EXPECT_FALSE(timer.isUp());
  EXPECT_EQ(timer.getTime(), 300);
  timer.unPause();
  EXPECT_EQ(timer.getTimeLeft(), 700);
  clock.advance(700);
  EXPECT_FALSE(timer.isUp());
  clock.advance(1);
  EXPECT_TRUE(timer.isUp());
}

TEST(TimerTest, PauseAndResumeAreIdempotent) {
  TestClock clock;
  Timer timer(1000);
  timer.unPause();
  clock.advance(200);
  EXPECT_EQ(timer.getTimeLeft(), 800);
  timer.pause();
  clock.advance(100);
  timer.pause();
  timer.unPause();
  EXPECT_EQ(timer.getTimeLeft(), 800);
}

TEST(TimerTest, SettingAPausedTimerSetsTheTimeLeft) {
  TestClock clock;
  Timer timer(1000);
  timer.pause();
  timer.set(500);
  clock.advance(2000);
  timer.unPause();
  EXPECT_EQ(timer.getTimeLeft(), 500);
}

TEST(TimerTest, CopiesKeepTheScheduleAndRegisterSeparately) {
  TestClock clock;
  Timer timer(1000);
  clock.advance(400);
  Timer copy(timer);
  std::vector<Timer*>& timers = getTimers();
  EXPECT_EQ(std::count(timers.begin(), timers.end(), &copy), 1);
  EXPECT_EQ(copy.getTimeLeft(), 600);
  copy.pause();
  clock.advance(100);
  EXPECT_EQ(copy.getTimeLeft(), 600);
  EXPECT_EQ(timer.getTimeLeft(), 500);
}

TEST(TimerTest, RegistryFollowsLifetimeAndPausesAll) {
  TestClock clock;
  size_t before = getTimers().size();
  {
    Timer a(100), b(100);
    EXPECT_EQ(getTimers().size(), before + 2);
    pauseTimers();
    clock.advance(1000);
    EXPECT_FALSE(a.isUp());
    unPauseTimers();
    EXPECT_EQ(b.getTimeLeft(), 100);
  }
  EXPECT_EQ(getTimers().size(), before);
}

// Timers destroyed in a batch leave the list as if destroyed one by one, a timer made in the
// batch included.
TEST(TimerTest, ABatchOfDestroyedTimersLeavesTheListAsOneByOne) {
  std::vector<Timer*> kept[2];
  for (int pass = 0; pass < 2; pass++) {
    size_t const before = getTimers().size();
    Timer* made[5];
    for (Timer*& timer : made) timer = new Timer;
    if (pass == 1) beginTimerRemovalBatch();
    delete made[1];
    delete made[3];
    Timer* late = new Timer;
    delete made[0];
    if (pass == 1) endTimerRemovalBatch();
    std::vector<Timer*> const& all = getTimers();
    kept[pass].assign(all.begin() + static_cast<long>(before), all.end());
    EXPECT_EQ(kept[pass], (std::vector<Timer*>{made[2], made[4], late}));
    delete made[2];
    delete made[4];
    delete late;
    EXPECT_EQ(getTimers().size(), before);
  }
}
