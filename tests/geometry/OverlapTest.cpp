#include <gtest/gtest.h>

#include "geometry/Overlap.h"

namespace {
std::vector<Point> square(double left, double top, double size) {
  return {Point(left, top), Point(left + size, top), Point(left + size, top + size),
          Point(left, top + size)};
}
}  // namespace

TEST(OverlapTest, CalculateSpanProjectsEveryCorner) {
  float min = 99, max = -99;
  calculateSpan(Point(1, 0), square(2, 3, 4), min, max);
  EXPECT_EQ(min, 2);
  EXPECT_EQ(max, 6);
  calculateSpan(Point(0, 2), square(2, 3, 4), min, max);
  EXPECT_EQ(min, 6);
  EXPECT_EQ(max, 14);
}

TEST(OverlapTest, SpansThatTouchOverlap) {
  EXPECT_TRUE(spanOverlap(Point(1, 0), square(0, 0, 1), square(1, 0, 1)));
  EXPECT_FALSE(spanOverlap(Point(1, 0), square(0, 0, 1), square(1.001, 0, 1)));
}

TEST(OverlapTest, SeparatingAxisTable) {
  struct Case {
    char const* name;
    std::vector<Point> a, b;
    bool hit;
  } cases[] = {
      {"shared edge", square(0, 0, 1), square(1, 0, 1), true},
      {"shared corner", square(0, 0, 1), square(1, 1, 1), true},
      {"edge 0.001 apart", square(0, 0, 1), square(1.001, 0, 1), false},
      {"corner 0.001 apart", square(0, 0, 1), square(1.001, 1.001, 1), false},
      {"overlapping", square(0, 0, 2), square(1, 1, 2), true},
      {"inside", square(0, 0, 10), square(4, 4, 1), true},
      {"far apart", square(0, 0, 1), square(5, 5, 1), false},
      {"diamond beside corner",
       square(0, 0, 1),
       {Point(2, 0.5), Point(1.6, 0.9), Point(1.2, 0.5), Point(1.6, 0.1)},
       false},
      {"segment across", square(0, 0, 2), {Point(-1, 1), Point(3, 1)}, true},
      {"segment beside", square(0, 0, 2), {Point(-1, 3), Point(3, 3)}, false},
  };
  for (Case const& c : cases) {
    EXPECT_EQ(polygonIntersect(c.a, c.b), c.hit) << c.name;
    EXPECT_EQ(polygonIntersect(c.b, c.a), c.hit) << c.name << " (swapped)";
  }
}

TEST(OverlapTest, EmptyPolygonMeetsNothing) {
  std::vector<Point> empty;
  EXPECT_FALSE(polygonIntersect(empty, square(0, 0, 1)));
  EXPECT_FALSE(polygonIntersect(square(0, 0, 1), empty));
  EXPECT_FALSE(polygonIntersect(empty, empty));
}

TEST(OverlapTest, InSegmentIncludesEnds) {
  Segment horizontal(Point(0, 0), Point(4, 0));
  EXPECT_EQ(inSegment(Point(0, 0), horizontal), 1);
  EXPECT_EQ(inSegment(Point(4, 0), horizontal), 1);
  EXPECT_EQ(inSegment(Point(5, 0), horizontal), 0);
  Segment reversed(Point(4, 0), Point(0, 0));
  EXPECT_EQ(inSegment(Point(2, 0), reversed), 1);
  Segment vertical(Point(1, 3), Point(1, -3));
  EXPECT_EQ(inSegment(Point(1, -3), vertical), 1);
  EXPECT_EQ(inSegment(Point(1, 4), vertical), 0);
}

TEST(OverlapTest, SegmentIntersectionTable) {
  Point const unwritten(-99, -99);
  struct Case {
    char const* name;
    Point a, b, c, d;
    int result;
    Point i0, i1;
  } cases[] = {
      {"crossing", Point(0, 0), Point(2, 2), Point(0, 2), Point(2, 0), 1, Point(1, 1), unwritten},
      {"collinear touching", Point(0, 0), Point(1, 0), Point(1, 0), Point(2, 0), 1, Point(1, 0),
       unwritten},
      {"collinear overlap", Point(0, 0), Point(2, 0), Point(1, 0), Point(3, 0), 2, Point(1, 0),
       Point(2, 0)},
      {"vertical overlap", Point(0, 0), Point(0, 4), Point(0, 3), Point(0, 1), 2, Point(0, 3),
       Point(0, 1)},
      {"parallel", Point(0, 0), Point(1, 0), Point(0, 1), Point(1, 1), 0, unwritten, unwritten},
      {"collinear apart", Point(0, 0), Point(1, 0), Point(2, 0), Point(3, 0), 0, unwritten,
       unwritten},
      {"end on other", Point(0, 0), Point(2, 0), Point(1, 0), Point(1, 5), 1, Point(1, 0),
       unwritten},
      {"skew apart", Point(0, 0), Point(1, 1), Point(3, 0), Point(2, 1), 0, unwritten, unwritten},
      {"same point", Point(2, 3), Point(2, 3), Point(2, 3), Point(2, 3), 1, Point(2, 3), unwritten},
      {"different points", Point(2, 3), Point(2, 3), Point(2, 4), Point(2, 4), 0, unwritten,
       unwritten},
      {"point on segment", Point(1, 0), Point(1, 0), Point(0, 0), Point(2, 0), 1, Point(1, 0),
       unwritten},
      {"point beside", Point(1, 1), Point(1, 1), Point(0, 0), Point(2, 0), 0, unwritten, unwritten},
      {"segment through point", Point(0, 0), Point(2, 0), Point(1, 0), Point(1, 0), 1, Point(1, 0),
       unwritten},
  };
  for (Case const& c : cases) {
    Point i0 = unwritten, i1 = unwritten;
    EXPECT_EQ(intersect_2DSegments(Segment(c.a, c.b), Segment(c.c, c.d), &i0, &i1), c.result)
        << c.name;
    EXPECT_EQ(i0, c.i0) << c.name << ": " << i0;
    EXPECT_EQ(i1, c.i1) << c.name << ": " << i1;
    EXPECT_EQ(segmentsIntersect(c.a, c.b, c.c, c.d), c.result != 0) << c.name;
  }
}

TEST(OverlapTest, NearlyParallelSegmentsCountAsParallel) {
  // These two cross at (0.5, 0), but perp(u, v) = 2e-9 is below the limit and they are not
  // exactly collinear, so they count as parallel and apart.
  EXPECT_FALSE(segmentsIntersect(Point(0, 0), Point(1, 0), Point(0, -1e-9), Point(1, 1e-9)));
  // Steeper, the same crossing is found.
  EXPECT_TRUE(segmentsIntersect(Point(0, 0), Point(1, 0), Point(0, -1e-3), Point(1, 1e-3)));
}
