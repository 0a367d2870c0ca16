#include <gtest/gtest.h>

#include "geometry/Angle.h"

TEST(AngleTest, ConstantsAreKeptAsWritten) {
  EXPECT_EQ(PI, 3.141592654);
  EXPECT_EQ(RADIANS_PER_DEGREE, 0.017453292522222223);
  EXPECT_EQ(DEGREES_PER_RADIAN, 57.295827908797776);
}

TEST(AngleTest, WrapAngleTable) {
  struct Case {
    double in, out;
  } cases[] = {{360, 0}, {359, 359}, {359.5, 359.5}, {-0.5, 359.5}, {-360, 0},
               {721, 1}, {0, 0},     {90, 90},       {-90, 270},    {1080, 0}};
  for (Case const& c : cases) {
    double a = c.in;
    EXPECT_DOUBLE_EQ(wrapAngle(a), c.out) << c.in;
    EXPECT_DOUBLE_EQ(a, c.out) << "wraps in place: " << c.in;
  }
}

TEST(AngleTest, ConstructorAndAssignmentDoNotWrapButOperatorsDo) {
  Angle a(400);
  EXPECT_EQ(a.val(), 400);
  EXPECT_EQ(a.getAsDouble(), 400);
  Angle sum = a + 0.0;
  EXPECT_EQ(sum.val(), 40);
  EXPECT_EQ(a.val(), 400) << "+ leaves its operand alone";

  Angle ten(10);
  EXPECT_EQ((ten - 20.0).val(), 350);
  EXPECT_EQ((ten + Angle(355)).val(), 5);
  EXPECT_EQ((ten - Angle(20)).val(), 350);

  Angle target(10);
  target -= Angle(20);
  EXPECT_EQ(target.val(), 350);
  target += 20.0;
  EXPECT_EQ(target.val(), 10);
  target += Angle(-30);
  EXPECT_EQ(target.val(), 340);
  target -= 700.0;
  EXPECT_EQ(target.val(), 0);

  Angle copy(1);
  copy = Angle(-725);
  EXPECT_EQ(copy.val(), -725);
  copy.wrap();
  EXPECT_EQ(copy.val(), 355);
}

TEST(AngleTest, GetAngleDistTable) {
  struct Case {
    double a, b, dist;
  } cases[] = {
      {10, 350, 20}, {350, 10, -20}, {180, 0, -180},  {0, 180, 180},  {90, 90, 0},    {0, 0, 0},
      {370, 5, 5},   {-10, 10, -20}, {270, 90, -180}, {90, 270, 180}, {45, 300, 105},
  };
  for (Case const& c : cases) EXPECT_DOUBLE_EQ(getAngleDist(c.a, c.b), c.dist) << c.a << " " << c.b;
  EXPECT_DOUBLE_EQ(angleDist(10, 350), 20);
  EXPECT_DOUBLE_EQ(angleDistance(350, 10), -20);
}

TEST(AngleTest, ClockwiseTestsCompareSignedDifference) {
  EXPECT_TRUE(is1ClockwiseFrom2(10, 350));
  EXPECT_TRUE(is1ClockFrom2(10, 350));
  EXPECT_FALSE(is1CounterwiseFrom2(10, 350));
  EXPECT_TRUE(is1CounterwiseFrom2(350, 10));
  EXPECT_TRUE(is1CounterFrom2(350, 10));
  EXPECT_FALSE(is1ClockwiseFrom2(350, 10));
  // Equal angles are neither.
  EXPECT_FALSE(is1ClockwiseFrom2(30, 30));
  EXPECT_FALSE(is1CounterwiseFrom2(30, 30));
}

TEST(AngleTest, RotateClockwiseAndCounterwiseWrap) {
  double a = 350;
  rotateClockwise(a, 20);
  EXPECT_DOUBLE_EQ(a, 10);
  rotateCounterwise(a, 20);
  EXPECT_DOUBLE_EQ(a, 350);
}
