// Angles far outside [0, 360) (a hostile data value, or a heading summed for a very long time)
// wrap as near ones do, in bounded time; infinity, which no subtraction can wrap, becomes 0.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geometry/Angle.h"

TEST(HugeAngleWrapTest, Table) {
  double const inf = std::numeric_limits<double>::infinity();
  struct Case {
    double in;
    double out;
  } const table[] = {
      {360.0 * 5000 + 12.5, 12.5},  // handled by the remainder, same as subtracting
      {-(360.0 * 5000 + 12.5), 347.5},
      {360.0 * 2000 + 359.5, 359.5},  // stays as the loops leave it
      {1e20, 280},                    // 10^20 is 0 modulo 40 and 1 modulo 9
      {-1e20, 80},
      {1e300, std::fmod(1e300, 360.0)},
      {inf, 0},
      {-inf, 0},
  };
  for (Case const& c : table) {
    SCOPED_TRACE(c.in);
    double a = c.in;
    EXPECT_EQ(wrapAngle(a), c.out);
    EXPECT_EQ(a, c.out);
  }
  double a = std::nan("");
  EXPECT_TRUE(std::isnan(wrapAngle(a)));
}

TEST(HugeAngleWrapTest, AngleOperatorsWrapHugeValues) {
  Angle huge(1e20);
  EXPECT_EQ(huge.val(), 1e20);
  Angle sum = huge + 0.0;
  EXPECT_GE(sum.val(), 0);
  EXPECT_LT(sum.val(), 360);
  EXPECT_EQ(sum.val(), 280);
}
