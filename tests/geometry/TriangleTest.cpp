#include <gtest/gtest.h>

#include "geometry/Triangle.h"

// A concrete triangle centred on its centroid.
class TestGeoTriangle : public Triangle {
 public:
  using Triangle::Triangle;
  Point getCenter() const override { return Point(getXCenter(), getYCenter()); }
  Point corner(int i) const { return *points.at(i); }
  Point const* cornerAddress(int i) const { return points.at(i); }
  Point const* ownCorner(int i) const { return i == 0 ? &a : i == 1 ? &b : &c; }
  float angle() const { return currAngle; }
};

namespace {
void expectNear(Point const& p, double x, double y, double tolerance = 1e-4) {
  EXPECT_NEAR(p.x, x, tolerance);
  EXPECT_NEAR(p.y, y, tolerance);
}
}  // namespace

TEST(TriangleTest, EdgesAndCornersAreInside) {
  TestGeoTriangle t(0, 0, 10, 0, 0, 10);
  struct Case {
    double x, y;
    bool inside;
  } cases[] = {{0, 0, true},   {10, 0, true},    {0, 10, true},  {5, 5, true},
               {5, 0, true},   {0, 5, true},     {2, 2, true},   {6, 6, false},
               {-1, 0, false}, {5, -0.1, false}, {11, 0, false}, {5.1, 5, false}};
  for (auto const& c : cases) {
    EXPECT_EQ(t.isPtIn(Point(c.x, c.y)), c.inside) << c.x << ", " << c.y;
    EXPECT_EQ(t.isPtIn(static_cast<float>(c.x), static_cast<float>(c.y)), c.inside);
  }
}

TEST(TriangleTest, SetAngleTurnsAboutTheFirstCorner) {
  TestGeoTriangle t(0, 0, 10, 0, 0, 10);
  t.setAngle(90);
  expectNear(t.corner(0), 0, 0);
  expectNear(t.corner(1), 0, -10);  // upwards on screen
  expectNear(t.corner(2), 10, 0);
  EXPECT_EQ(t.angle(), 90);
  t.setAngle(0);
  expectNear(t.corner(1), 10, 0);
  expectNear(t.corner(2), 0, 10);
  EXPECT_EQ(t.angle(), 0);
}

TEST(TriangleTest, SetAngleIsIncrementalAboutTheCurrentBase) {
  TestGeoTriangle t(5, 5, 15, 5, 5, 15);
  t.setAngle(45);
  t.move(10, 0);
  t.setAngle(90);
  expectNear(t.corner(0), 15, 5);
  expectNear(t.corner(1), 15, -5);
}

TEST(TriangleTest, SetTriAndSetPoints) {
  TestGeoTriangle t;
  t.setTri(1, 2, 3, 4, 5, 6);
  EXPECT_EQ(t.corner(0), Point(1, 2));
  EXPECT_EQ(t.corner(1), Point(3, 4));
  EXPECT_EQ(t.corner(2), Point(5, 6));
  EXPECT_TRUE(t.corner(0).isSet());

  TestGeoTriangle fresh;
  fresh.setPoints(1, 2, 3, 4, 5, 6);
  EXPECT_EQ(fresh.corner(2), Point(5, 6));
  EXPECT_FALSE(fresh.corner(2).isSet()) << "setPoints leaves the flags";
  EXPECT_EQ(fresh.getBasePoint(), Point(1, 2));
}

TEST(TriangleTest, CentroidMovesAndPlacement) {
  TestGeoTriangle t(0, 0, 9, 0, 0, 9);
  EXPECT_EQ(t.getXCenter(), 3);
  EXPECT_EQ(t.getYCenter(), 3);
  t.setCenter(10, 20);
  EXPECT_EQ(t.corner(0), Point(7, 17));
  EXPECT_EQ(t.corner(1), Point(16, 17));
  EXPECT_EQ(t.corner(2), Point(7, 26));
  Point base(0, 0);
  t.setBasePoint(base);
  EXPECT_EQ(t.corner(0), Point(0, 0));
  EXPECT_EQ(t.corner(2), Point(0, 9));
  t.setAngle(30);
  t.setTri(Point(1, 1), Point(2, 1), Point(1, 2));
  EXPECT_EQ(t.angle(), 30) << "placing does not change the angle";
}

TEST(TriangleTest, CopiesPointAtTheirOwnCorners) {
  TestGeoTriangle original(0, 0, 10, 0, 0, 10);
  TestGeoTriangle copy(original);
  for (int i = 0; i < 3; i++) EXPECT_EQ(copy.cornerAddress(i), copy.ownCorner(i));
  copy.move(5, 5);
  EXPECT_EQ(original.corner(0), Point(0, 0));
  EXPECT_EQ(copy.corner(0), Point(5, 5));
  EXPECT_EQ(copy.getXCenter(), 5 + 10.0f / 3);

  TestGeoTriangle assigned(1, 1, 2, 2, 3, 1);
  assigned = original;
  for (int i = 0; i < 3; i++) EXPECT_EQ(assigned.cornerAddress(i), assigned.ownCorner(i));
  EXPECT_EQ(assigned.corner(1), Point(10, 0));
  assigned.setAngle(90);
  EXPECT_EQ(original.corner(1), Point(10, 0));
}
