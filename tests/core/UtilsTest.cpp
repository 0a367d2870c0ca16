#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <set>

#include "core/Timer.h"
#include "core/Utils.h"
#include "support/TestClock.h"

TEST(RandomRanges, IntRangesIncludeBothEndsInEitherOrder) {
  srand(7);
  std::set<int> seen;
  for (int i = 0; i < 400; i++) seen.insert(randRange(5, 2));
  EXPECT_EQ(seen, (std::set<int>{2, 3, 4, 5}));
  EXPECT_EQ(randRange(4, 4), 4);
  seen.clear();
  for (int i = 0; i < 400; i++) seen.insert(randRange(3));
  EXPECT_EQ(seen, (std::set<int>{-3, -2, -1, 0, 1, 2, 3}));
}

TEST(RandomRanges, FloatRangesStepInHundredths) {
  srand(11);
  for (int i = 0; i < 500; i++) {
    float f = randRange(0.0, 10.0);
    EXPECT_GE(f, 0.0f);
    EXPECT_LE(f, 9.995f);
    float scaled = f * 100.0f;
    EXPECT_NEAR(scaled, static_cast<float>(static_cast<int>(scaled + 0.5f)), 0.01f);
    float r = randFloat();
    EXPECT_GE(r, 0.0f);
    EXPECT_LE(r, 0.99f + 1e-6f);
  }
}

TEST(RandomRanges, BoundsPastTheIntRangeStayWithinTheirLimits) {
  for (int i = 0; i < 100; i++) {
    float const x = randRange(0.0, 3e9);
    EXPECT_GE(x, 0.0f);
    EXPECT_LE(x, 3e9f);
    int const wide = randRange(-2000000000, 2000000000);
    EXPECT_GE(wide, -2000000000);
  }
}

TEST(Clamp, ToIntTakesTheNearestIntOfAnyValue) {
  struct Case {
    double value;
    int expected;
  } const cases[] = {
      {3e9, INT_MAX},       {-3e9, INT_MIN}, {std::nan(""), 0},       {HUGE_VAL, INT_MAX},
      {-HUGE_VAL, INT_MIN}, {-7.9, -7},      {2147483647.0, INT_MAX}, {12.5, 12}};
  for (Case const& c : cases) EXPECT_EQ(clampToInt(c.value), c.expected) << c.value;
}

TEST(Clamp, ChangesTheVariable) {
  int v = 300;
  EXPECT_EQ(clamp(v, 0, 255), 255);
  EXPECT_EQ(v, 255);
  v = -5;
  clamp(v, 0, 255);
  EXPECT_EQ(v, 0);
}

TEST(Waves, SineOfTheTimerWithItsPeriodAndAmplitude) {
  TestClock clock;
  Timer timer;
  EXPECT_NEAR(sinFlux(timer, 1000, 2), 0.0f, 1e-4);
  clock.advance(250);
  EXPECT_NEAR(sinFlux(timer, 1000, 2), 2.0f, 1e-4);
  EXPECT_NEAR(cosFlux(timer, 1000, 2), 0.0f, 1e-4);
  clock.advance(250);
  EXPECT_NEAR(sinFlux(timer, 1000, 2), 0.0f, 1e-4);
}

TEST(DateAndTime, ShortForms) {
  EXPECT_EQ(getDate().size(), 8u);
  EXPECT_EQ(getDate()[2], '/');
  EXPECT_EQ(getTime().size(), 8u);
  EXPECT_EQ(getTime()[2], ':');
}
