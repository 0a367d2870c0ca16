#include <gtest/gtest.h>

#include <vector>

#include "core/Profiler.h"
#include "support/TestClock.h"

// A frame that waited for hours (a message box left open) still gives whole percentages.
TEST(ProfilerLongFrame, HoursLongIntervalsGiveTheirShare) {
  TestClock clock(0);
  Profiler p;
  p.bDraw = false;
  p.start("start");
  clock.advance(10);
  p.setPoint("-processing time");
  clock.advance(30000000);  // over eight hours
  p.setPoint("-clearing screen");
  clock.advance(30000000);
  p.stop();
  EXPECT_EQ(p.percents, (std::vector<int>{0, 49, 49}));
}

TEST(ProfilerLongFrame, HoursLongProcessGivesItsShare) {
  TestClock clock(0);
  Profiler p;
  p.bDraw = false;
  p.startProfilingProc();
  p.startProc();
  clock.advance(30000000);
  p.endProc("Ship");
  clock.advance(30000000);
  p.stopProfilingProc();
  EXPECT_EQ(p.procPercents.at("Ship"), 50);
}
