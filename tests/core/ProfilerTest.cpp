#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Profiler.h"
#include "game/Console.h"
#include "support/LogCapture.h"
#include "support/TestClock.h"

typedef std::vector<std::string> Lines;
typedef std::vector<int> Ints;

namespace {
// One frame whose points are the given gaps apart; the last gap ends at "stop".
void runFrame(Profiler& p, TestClock& clock, Lines const& names, Ints const& gaps) {
  p.start(names[0]);
  for (size_t i = 1; i < names.size(); i++) {
    clock.advance(gaps[i - 1]);
    p.setPoint(names[i]);
  }
  clock.advance(gaps.back());
  p.stop();
}

// Info lines with cleared lines shown as "", however the main module blanks them.
Lines infoLines(int from, int count) {
  Lines lines(info.begin() + from, info.begin() + from + count);
  for (std::string& line : lines)
    if (line.find_first_not_of(' ') == std::string::npos) line.clear();
  return lines;
}
}  // namespace

TEST(ProfilerFrame, PercentagesAreAveragedWithThePreviousFrame) {
  TestClock clock(1000);
  Profiler p;
  runFrame(p, clock, {"a", "b", "c"}, {10, 20, 10});
  EXPECT_EQ(p.times, (Ints{1000, 1010, 1030, 1040}));
  EXPECT_EQ(p.pointNames, (Lines{"a", "b", "c", "stop"}));
  EXPECT_EQ(p.percents, (Ints{25, 50, 25}));
  EXPECT_EQ(infoLines(10, 4), (Lines{"%25 a", "%50 b", "%25 c", ""}));
  runFrame(p, clock, {"a", "b", "c"}, {1, 1, 8});
  EXPECT_EQ(p.percents, (Ints{17, 30, 52}));
  EXPECT_EQ(p.iterations, 3);
}

TEST(ProfilerFrame, IntegerDivisionMaySumBelowAHundred) {
  TestClock clock;
  Profiler p;
  runFrame(p, clock, {"start", "-drawing game", "x"}, {1, 1, 1});
  EXPECT_EQ(p.percents, (Ints{33, 33, 33}));
  EXPECT_EQ(info[11], "%33 -drawing game");
}

TEST(ProfilerFrame, ANewLastIntervalStartsFromZero) {
  TestClock clock;
  Profiler p;
  runFrame(p, clock, {"a", "b"}, {50, 50});
  runFrame(p, clock, {"a", "b", "c"}, {50, 25, 25});
  EXPECT_EQ(p.percents, (Ints{50, 37, 12}));
}

TEST(ProfilerFrame, ZeroLengthFrameGivesZeros) {
  TestClock clock;
  Profiler p;
  runFrame(p, clock, {"a", "b"}, {0, 0});
  EXPECT_EQ(p.percents, (Ints{0, 0}));
}

TEST(ProfilerFrame, StopWithoutStartIsLoggedAndEmptiesTheLines) {
  TestClock clock;
  LogCapture log;
  for (int i = 0; i < 20; i++) info[i] = "old";
  Profiler p;
  p.stop();
  EXPECT_TRUE(p.percents.empty());
  EXPECT_EQ(info[9], "old");
  EXPECT_EQ(infoLines(10, 10), Lines(10, ""));
  EXPECT_EQ(log.lines(), Lines{"Profiler Error: Stop called without starting"});
}

TEST(ProfilerFrame, NothingIsShownWhenDrawingIsOff) {
  TestClock clock;
  for (int i = 0; i < 20; i++) info[i] = "kept";
  Profiler p;
  p.bDraw = false;
  runFrame(p, clock, {"a", "b"}, {3, 1});
  EXPECT_EQ(p.percents, (Ints{75, 25}));
  EXPECT_EQ(infoLines(10, 2), (Lines{"kept", "kept"}));
}

TEST(ProfilerFrame, PrintWritesTheAveragesToTheLog) {
  TestClock clock;
  LogCapture log;
  Profiler p;
  p.start("start");
  clock.advance(30);
  p.setPoint("-drawing game");
  clock.advance(10);
  p.print();  // stops the running frame first
  EXPECT_EQ(log.lines(), (Lines{"Begin Profiler", "--------------", "75 % start",
                                "25 % -drawing game", "End Profiler", "--------------"}));
}

TEST(ProfilerProcesses, ClassesShareThePassInNameOrder) {
  TestClock clock;
  LogCapture log;
  Profiler p;
  p.startProfilingProc();
  for (char const* type : {"Ship", "Explosion", "Ship"}) {
    p.startProc();
    clock.advance(std::string(type) == "Ship" ? 30 : 20);
    p.endProc(type);
  }
  clock.advance(20);
  p.stopProfilingProc();
  EXPECT_EQ(p.procTimes, (std::map<std::string, int>{{"Explosion", 20}, {"Ship", 60}}));
  EXPECT_EQ(p.procPercents, (std::map<std::string, int>{{"Explosion", 20}, {"Ship", 60}}));
  EXPECT_EQ(infoLines(10, 2), (Lines{"%20 Explosion", "%60 Ship"}));
  p.printProc();
  EXPECT_EQ(log.lines(), (Lines{"Begin Process Objects Profile", "-----------------------------",
                                "20 % Explosion", "60 % Ship", "End Process Objects Profile",
                                "---------------------------"}));
  // Each pass stands alone.
  p.startProfilingProc();
  p.startProc();
  p.endProc("Fence");
  p.stopProfilingProc();
  EXPECT_EQ(p.procPercents, (std::map<std::string, int>{{"Fence", 0}}));
}
