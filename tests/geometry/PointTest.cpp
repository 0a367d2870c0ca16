#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

#include "core/Utils.h"
#include "geometry/Point.h"

namespace {
void expectNear(Point const& p, double x, double y, double tolerance = 1e-6) {
  EXPECT_NEAR(p.x, x, tolerance);
  EXPECT_NEAR(p.y, y, tolerance);
}
}  // namespace

TEST(PointTest, DefaultIsTenTenAndNotSet) {
  Point p;
  EXPECT_EQ(p.x, 10.0);
  EXPECT_EQ(p.y, 10.0);
  EXPECT_FALSE(p.isSet());
  EXPECT_TRUE(Point(0, 0).isSet());
}

TEST(PointTest, ArithmeticMarksResultSet) {
  Point a, b;
  a += b;
  EXPECT_TRUE(a.isSet());
  EXPECT_EQ(a, Point(20, 20));
  Point c;
  c -= Point();
  EXPECT_TRUE(c.isSet());
  Point d;
  d *= 2;
  EXPECT_TRUE(d.isSet());
  EXPECT_EQ(d, Point(20, 20));
  EXPECT_TRUE((Point() + Point()).isSet());
  EXPECT_TRUE((Point() - Point()).isSet());
  EXPECT_TRUE((Point() * 3).isSet());
  EXPECT_TRUE((3 * Point()).isSet());
  EXPECT_EQ(Point(5, 7) - Point(1, 2), Point(4, 5));
  EXPECT_EQ(2 * Point(1.5, -2), Point(3, -4));
}

TEST(PointTest, SetAndAssignmentTreatTheFlagDifferently) {
  Point unset;
  Point target(1, 1);
  target = unset;
  EXPECT_FALSE(target.isSet()) << "assignment copies the flag";

  Point viaSet(1, 1);
  viaSet.unSet();
  viaSet.set(unset);
  EXPECT_TRUE(viaSet.isSet()) << "set marks the target set whatever the source";
  EXPECT_EQ(viaSet, Point(10, 10));

  Point viaSetPoint;
  viaSetPoint.setPoint(unset);
  EXPECT_TRUE(viaSetPoint.isSet());

  Point q;
  EXPECT_FALSE(q.set()) << "set() is only a query";
  EXPECT_FALSE(q.isSet());
  q.set(3, 4);
  EXPECT_TRUE(q.set());
  q.unSet();
  EXPECT_FALSE(q.isSet());
  EXPECT_EQ(q, Point(3, 4)) << "unSet keeps the coordinates";

  Point copy(unset);
  EXPECT_FALSE(copy.isSet());
}

TEST(PointTest, ComparisonIgnoresFlagAndIsExact) {
  Point a;
  EXPECT_TRUE(a == Point(10, 10));
  EXPECT_TRUE(a.equals(Point(10, 10)));
  EXPECT_TRUE(Point(1, 2) != Point(1, 2.0000001));
  EXPECT_FALSE(Point(1, 2) != Point(1, 2));
}

TEST(PointTest, DotAndMagnitude) {
  EXPECT_EQ(Point(1, 2).dot(Point(3, 4)), 11);
  EXPECT_EQ(Point(3, 4).getMagnitude(), 5);
}

TEST(PointTest, StreamFormat) {
  std::ostringstream out;
  out << Point(1.5, -2);
  EXPECT_EQ(out.str(), "( 1.5, -2 )");
}

TEST(PointTest, Vector3DifferenceAndProducts) {
  Vector3 d = Vector3(1, 2, 3) - Vector3(5, 7, 9);
  EXPECT_EQ(d.x, 4);
  EXPECT_EQ(d.y, 5);
  EXPECT_EQ(d.z, 6);
  Vector3 a(1, 0, 0), b(0, 1, 0);
  Vector3 c = crossProduct(a, b);
  EXPECT_EQ(c.x, 0);
  EXPECT_EQ(c.y, 0);
  EXPECT_EQ(c.z, 1);
  Vector3 e(1, 2, 3), f(4, 5, 6);
  EXPECT_EQ(dotProduct(e, f), 32);
}

TEST(PointTest, RotatePointTurnsClockwiseOnScreen) {
  // Right (1, 0) turned by 90 goes down (y grows downwards).
  Point p(1, 0);
  rotatePoint(90, p);
  expectNear(p, 0, 1);
  Point q(1, 0);
  rotatePoint(q, -90);
  expectNear(q, 0, -1);
  double x = 0, y = -1;
  rotatePoint(450, x, y);
  EXPECT_NEAR(x, 1, 1e-6);
  EXPECT_NEAR(y, 0, 1e-6);
}

TEST(PointTest, GetPointAtAngleFollowsHeadings) {
  struct Case {
    double heading, x, y;
  } cases[] = {{0, 0, -10}, {90, -10, 0}, {180, 0, 10}, {270, 10, 0}, {-90, 10, 0}, {360, 0, -10}};
  Point base(5, 7);
  for (Case const& c : cases) {
    Point vector = getPointAtAngle(Angle(c.heading), 10.0);
    expectNear(vector, c.x, c.y);
    EXPECT_TRUE(vector.isSet());
    expectNear(getPointAtAngle(base, Angle(c.heading), 10), 5 + c.x, 7 + c.y);
    expectNear(getPointAtAngle(Angle(c.heading), base, 10), 5 + c.x, 7 + c.y);
    expectNear(getPointAtAngle(10.0, Angle(c.heading)), c.x, c.y);
  }
  expectNear(getPointAtAngle(Point(0, 0), Angle(90), 10), -10, 0);
  expectNear(getPointAtAngle(Point(0, 0), Angle(0), 10), 0, -10);
}

TEST(PointTest, GetPointRotatedAroundFollowsOffsetFromBelow) {
  struct Case {
    double angle, x, y;
  } cases[] = {{0, 0, 10}, {90, -10, 0}, {180, 0, -10}, {270, 10, 0}};
  for (Case const& c : cases) {
    expectNear(getPointRotatedAround(Point(0, 0), c.angle, 10), c.x, c.y);
    Point moved;
    rotatePointAround(moved, c.angle, Point(1, 1), 10);
    expectNear(moved, 1 + c.x, 1 + c.y);
    // Offset from below is the heading mirrored: angle a is heading 180 - a.
    expectNear(getPointRotatedAround(Point(0, 0), c.angle, 10),
               getPointAtAngle(Angle(180 - c.angle), 10.0).x,
               getPointAtAngle(Angle(180 - c.angle), 10.0).y);
  }
}

TEST(PointTest, RotatePointAroundABaseKeepsDistance) {
  Point p(12, 5);
  rotatePointAround(p, 90, Point(10, 5));
  expectNear(p, 10, 7);
}

TEST(PointTest, RotateAroundPointPlacesAtAbsoluteAngle) {
  // (13, 9) is 5 from (10, 5); angle 90 places it 5 to the left, whatever its old direction.
  expectNear(rotateAroundPoint(Point(13, 9), Point(10, 5), 90), 5, 5, 1e-5);
  expectNear(rotateAroundPoint(Point(13, 9), Point(10, 5), 0), 10, 10, 1e-5);
}

TEST(PointTest, GetAngleTable) {
  struct Case {
    double x2, y2, angle;
  } cases[] = {{0, 5, -180}, {0, -5, 0}, {5, 0, -90}, {-5, 0, -270}, {0, 0, 0}};
  for (Case const& c : cases) {
    EXPECT_DOUBLE_EQ(getAngle(0, 0, c.x2, c.y2), c.angle) << c.x2 << "," << c.y2;
    EXPECT_DOUBLE_EQ(getAngle(Point(0, 0), Point(c.x2, c.y2)), c.angle);
  }
  // 180 / 3.14159 rather than 180 / PI.
  EXPECT_NEAR(getAngle(0, 0, 1, 1), -135.000038, 0.0000005);
  EXPECT_NE(getAngle(0, 0, 1, 1), -135);
  for (double x2 = -3; x2 <= 3; x2 += 0.5)
    for (double y2 = -3; y2 <= 3; y2 += 0.5) {
      double a = getAngle(0, 0, x2, y2);
      EXPECT_GT(a, -360);
      EXPECT_LE(a, 0);
    }
}

TEST(PointTest, GetAngleAndGetPointAtAngleAgree) {
  // The wrapped result is the heading: going 10 along it from the first point reaches the second.
  Point from(3, 4);
  Point to(-4, 11);
  Point reached = getPointAtAngle(from, Angle(getAngle(from, to)), dist(from, to));
  expectNear(reached, to.x, to.y, 1e-3);
}

TEST(PointTest, DistIsSinglePrecision) {
  EXPECT_EQ(dist(Point(0, 0), Point(3, 4)), 5.0f);
  EXPECT_EQ(dist(0, 0, -3, -4), 5.0f);
  // Far from the origin the coordinates are rounded to floats before subtracting.
  EXPECT_EQ(dist(Point(100000000.0, 0), Point(100000001.0, 0)), 0.0f);
}

TEST(PointTest, GetMidpoint) {
  Point m = getMidpoint(Point(0, 0), Point(4, -2));
  EXPECT_EQ(m, Point(2, -1));
  EXPECT_TRUE(m.isSet());
}

TEST(PointTest, RandomPointNearDrawsYFirst) {
  srand(42);
  float yOffset = randRange(5.0);
  float xOffset = randRange(5.0);
  srand(42);
  Point p = randomPointNear(Point(100, 200), 5);
  EXPECT_DOUBLE_EQ(p.x, 100.0 + static_cast<double>(xOffset));
  EXPECT_DOUBLE_EQ(p.y, 200.0 + static_cast<double>(yOffset));
  EXPECT_TRUE(p.isSet());
}
