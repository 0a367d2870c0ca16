#include "geometry/Overlap.h"

#include <cmath>

namespace {
// Below this |perp(u, v)| two segments count as parallel.
double const PARALLEL_LIMIT = 0.00000001;

double perp(Point const& a, Point const& b) { return a.x * b.y - a.y * b.x; }

// The collinearity test compares with zero exactly, so it is formed in extended precision.
long double perpExact(Point const& a, Point const& b) {
  return static_cast<long double>(a.x) * b.y - static_cast<long double>(a.y) * b.x;
}
}  // namespace

namespace {
// The spans of calculateSpan and spanOverlap on corners held anywhere.
void spanOf(Point const& N, Point const* V, size_t n, float& min, float& max) {
  if (n == 0) return;
  min = max = static_cast<float>(V[0].dot(N));
  for (size_t i = 1; i < n; i++) {
    float d = static_cast<float>(V[i].dot(N));
    if (min > d)
      min = d;
    else if (d > max)
      max = d;
  }
}

bool spansOverlap(Point const& N, Point const* V, size_t nv, Point const* W, size_t nw) {
  float minv = 0, maxv = 0, minw = 0, maxw = 0;
  spanOf(N, V, nv, minv, maxv);
  spanOf(N, W, nw, minw, maxw);
  return !(minw > maxv || minv > maxw);
}

// Whether some edge normal of V separates V from W.
bool hasSeparatingEdge(Point const* V, size_t nv, Point const* W, size_t nw) {
  for (size_t i = 0; i < nv; i++) {
    size_t j = i + 1 == nv ? 0 : i + 1;
    Point N(V[i].y - V[j].y, V[j].x - V[i].x);
    if (!spansOverlap(N, V, nv, W, nw)) return true;
  }
  return false;
}
}  // namespace

void calculateSpan(Point const& N, std::vector<Point> const& V, float& min, float& max) {
  spanOf(N, V.data(), V.size(), min, max);
}

bool spanOverlap(Point const& N, std::vector<Point> const& V, std::vector<Point> const& W) {
  return spansOverlap(N, V.data(), V.size(), W.data(), W.size());
}

bool polygonIntersect(std::vector<Point> const& V, std::vector<Point> const& W) {
  return polygonIntersect(V.data(), V.size(), W.data(), W.size());
}

bool edgeOfFirstSeparates(Point const* V, size_t nv, Point const* W, size_t nw) {
  return hasSeparatingEdge(V, nv, W, nw);
}

bool polygonIntersect(Point const* V, size_t nv, Point const* W, size_t nw) {
  if (nv == 0 || nw == 0) return false;
  if (hasSeparatingEdge(V, nv, W, nw)) return false;
  if (hasSeparatingEdge(W, nw, V, nv)) return false;
  return true;
}

int inSegment(Point P, Segment S) {
  if (S.P0.x != S.P1.x) {
    if (S.P0.x <= P.x && P.x <= S.P1.x) return 1;
    if (S.P0.x >= P.x && P.x >= S.P1.x) return 1;
  } else {
    if (S.P0.y <= P.y && P.y <= S.P1.y) return 1;
    if (S.P0.y >= P.y && P.y >= S.P1.y) return 1;
  }
  return 0;
}

int intersect_2DSegments(Segment S1, Segment S2, Point* I0, Point* I1) {
  Point u = S1.P1 - S1.P0;
  Point v = S2.P1 - S2.P0;
  Point w = S1.P0 - S2.P0;
  float D = static_cast<float>(perp(u, v));

  if (std::fabs(D) < PARALLEL_LIMIT) {
    if (perpExact(u, w) != 0 || perpExact(v, w) != 0) return 0;
    float du = static_cast<float>(u.dot(u));
    float dv = static_cast<float>(v.dot(v));
    if (du == 0 && dv == 0) {
      if (S1.P0 != S2.P0) return 0;
      *I0 = S1.P0;
      return 1;
    }
    if (du == 0) {
      if (!inSegment(S1.P0, S2)) return 0;
      *I0 = S1.P0;
      return 1;
    }
    if (dv == 0) {
      if (!inSegment(S2.P0, S1)) return 0;
      *I0 = S2.P0;
      return 1;
    }
    Point w2 = S1.P1 - S2.P0;
    float t0, t1;
    if (v.x != 0) {
      t0 = static_cast<float>(w.x / v.x);
      t1 = static_cast<float>(w2.x / v.x);
    } else {
      t0 = static_cast<float>(w.y / v.y);
      t1 = static_cast<float>(w2.y / v.y);
    }
    if (t0 > t1) {
      float swap = t0;
      t0 = t1;
      t1 = swap;
    }
    if (t0 > 1 || t1 < 0) return 0;
    if (t0 < 0) t0 = 0;
    if (t1 > 1) t1 = 1;
    if (t0 == t1) {
      *I0 = S2.P0 + t0 * v;
      return 1;
    }
    *I0 = S2.P0 + t0 * v;
    *I1 = S2.P0 + t1 * v;
    return 2;
  }

  float sI = static_cast<float>(perp(v, w) / D);
  if (sI < 0 || sI > 1) return 0;
  float tI = static_cast<float>(perp(u, w) / D);
  if (tI < 0 || tI > 1) return 0;
  *I0 = S1.P0 + sI * u;
  return 1;
}

bool segmentsIntersect(Point const& a, Point const& b, Point const& c, Point const& d) {
  Point I0, I1;
  return intersect_2DSegments(Segment(a, b), Segment(c, d), &I0, &I1) != 0;
}
