// Overlap tests of convex polygons (separating axes) and of segments. Touching counts as
// overlap everywhere: shots that graze a corner hit, boxes that share an edge collide.
#pragma once

#include <cstddef>
#include <vector>

#include "geometry/Point.h"

class Segment {
 public:
  Segment(Point const& a, Point const& b) : P0(a), P1(b) {}
  Segment(Segment const& other) : P0(other.P0), P1(other.P1) {}
  Segment& operator=(Segment const& other) {
    P0 = other.P0;
    P1 = other.P1;
    return *this;
  }
  virtual ~Segment() {}

  Point P0;
  Point P1;
};

// The span of polygon V projected on axis N, in single precision. An empty V leaves min and
// max as they were.
void calculateSpan(Point const& N, std::vector<Point> const& V, float& min, float& max);
// Whether the spans of V and W on N overlap or touch.
bool spanOverlap(Point const& N, std::vector<Point> const& V, std::vector<Point> const& W);
// Separating-axis test of two convex polygons: the edge normals of V, then those of W. An
// empty polygon meets nothing.
bool polygonIntersect(std::vector<Point> const& V, std::vector<Point> const& W);
// The same on corners held elsewhere (nv corners at V, nw at W), for callers that would
// otherwise build lists for a single test.
bool polygonIntersect(Point const* V, size_t nv, Point const* W, size_t nw);
// The half of that test on V's edge normals: whether one of them separates V from W.
bool edgeOfFirstSeparates(Point const* V, size_t nv, Point const* W, size_t nw);

// 1 when P, known to lie on S's line, lies within S (ends included), else 0.
int inSegment(Point P, Segment S);
// 0: disjoint; 1: one point, in *I0; 2: an overlap from *I0 to *I1.
int intersect_2DSegments(Segment S1, Segment S2, Point* I0, Point* I1);
bool segmentsIntersect(Point const& a, Point const& b, Point const& c, Point const& d);
