// A rectangle's corner steps, written once. SimpleRect runs them on its own corners, and
// RectCorners (four plain corner values, for hot paths that would otherwise build and free whole
// rectangles for intermediate values) on its own, so that both give the same numbers.
//
// Each step takes or gives single-precision values that the corners (doubles) are rounded to.
// Inlined, GCC 12 at -O2 has merged such steps into double-precision vector code without that
// rounding, and a release build then played other numbers than the test build. So every float
// a step takes or makes passes through asFloat, which the optimiser cannot see through.
#pragma once

#include "geometry/Angle.h"
#include "geometry/Point.h"

class SimpleRect;

// x as a float, held as one: the empty asm says the float itself is used, so whatever the
// optimisation level the value carried on is the rounded one.
__attribute__((always_inline)) inline float asFloat(float x) {
#if defined(__x86_64__) || defined(__i386__)
  asm("" : "+x"(x));
#else
  asm("" : "+g"(x));
#endif
  return x;
}
__attribute__((always_inline)) inline float asFloat(double x) {
  return asFloat(static_cast<float>(x));
}

// Reading four corners kept elsewhere, in the order topLeft, topRight, bottomRight, bottomLeft.
struct CornerView {
  Point const& topLeft;
  Point const& topRight;
  Point const& bottomRight;
  Point const& bottomLeft;

  // Heading from the bottom edge towards the top edge.
  Angle getAngle() const { return Angle(::getAngle(bottomLeft, topLeft)); }
  float getWidth() const { return dist(topRight, topLeft); }
  float getHeight() const { return dist(topRight, bottomRight); }
  // The true centre: the midpoint of the top and bottom edges' midpoints.
  Point getCenter() const {
    return getMidpoint(getMidpoint(topLeft, topRight), getMidpoint(bottomRight, bottomLeft));
  }
  // The bounding box, each coordinate as a float, taken in corner order: a corner replaces the
  // answer only when strictly beyond it.
  float getLeft() const;
  float getTop() const;
  float getRight() const;
  float getBottom() const;
};

// Setting four corners kept elsewhere.
struct CornerSteps {
  Point& topLeft;
  Point& topRight;
  Point& bottomRight;
  Point& bottomLeft;

  CornerView view() const { return CornerView{topLeft, topRight, bottomRight, bottomLeft}; }
  void setRect(float left, float top, float right, float bottom) const;
  // The rectangle whose top edge has its midpoint at a and bottom edge at b, width wide.
  void setMidpoints(Point const& a, Point const& b, float width) const;
  // Move the rectangle so that one edge lies at the value, keeping its size.
  void setLeft(float x) const;
  void setRight(float x) const;
  void setTop(float y) const;
  void setBottom(float y) const;
  // Move one edge alone.
  void setLeftIndep(float x) const;
  void setTopIndep(float y) const;
  void setRightIndep(float x) const;
  void setBottomIndep(float y) const;
  void move(float dx, float dy) const;
  // Grow each edge on its own so that the box from left to right and top to bottom is covered.
  void increaseTo(float left, float top, float right, float bottom) const;
};

// The steps run in every hot path, inline.
namespace cornerEdges {
// One edge of the bounding box, the corners' coordinates as floats in corner order.
template <bool bMax>
inline float edgeOf(double a, double b, double c, double d) {
  float const v[4] = {asFloat(a), asFloat(b), asFloat(c), asFloat(d)};
  float result = v[0];
  for (int i = 1; i < 4; i++)
    if (bMax ? v[i] > result : v[i] < result) result = v[i];
  return result;
}
}  // namespace cornerEdges

inline float CornerView::getLeft() const {
  return cornerEdges::edgeOf<false>(topLeft.x, topRight.x, bottomRight.x, bottomLeft.x);
}

inline float CornerView::getTop() const {
  return cornerEdges::edgeOf<false>(topLeft.y, topRight.y, bottomRight.y, bottomLeft.y);
}

inline float CornerView::getRight() const {
  return cornerEdges::edgeOf<true>(topLeft.x, topRight.x, bottomRight.x, bottomLeft.x);
}

inline float CornerView::getBottom() const {
  return cornerEdges::edgeOf<true>(topLeft.y, topRight.y, bottomRight.y, bottomLeft.y);
}

inline void CornerSteps::setRect(float left, float top, float right, float bottom) const {
  left = asFloat(left);
  top = asFloat(top);
  right = asFloat(right);
  bottom = asFloat(bottom);
  topLeft.setPoint(left, top);
  topRight.setPoint(right, top);
  bottomRight.setPoint(right, bottom);
  bottomLeft.setPoint(left, bottom);
}

inline void CornerSteps::setLeft(float x) const {
  float const w = asFloat(topRight.x - topLeft.x);
  x = asFloat(x);
  topLeft.x = bottomLeft.x = x;
  topRight.x = bottomRight.x = asFloat(x + w);
}

inline void CornerSteps::setRight(float x) const {
  float const w = asFloat(topRight.x - topLeft.x);
  x = asFloat(x);
  topRight.x = bottomRight.x = x;
  topLeft.x = bottomLeft.x = asFloat(x - w);
}

inline void CornerSteps::setTop(float y) const {
  float const h = asFloat(bottomRight.y - topRight.y);
  y = asFloat(y);
  topLeft.y = topRight.y = y;
  bottomLeft.y = bottomRight.y = asFloat(y + h);
}

inline void CornerSteps::setBottom(float y) const {
  float const h = asFloat(bottomRight.y - topRight.y);
  y = asFloat(y);
  bottomLeft.y = bottomRight.y = y;
  topLeft.y = topRight.y = asFloat(y - h);
}

inline void CornerSteps::setLeftIndep(float x) const { topLeft.x = bottomLeft.x = asFloat(x); }

inline void CornerSteps::setTopIndep(float y) const { topLeft.y = topRight.y = asFloat(y); }

inline void CornerSteps::setRightIndep(float x) const { topRight.x = bottomRight.x = asFloat(x); }

inline void CornerSteps::setBottomIndep(float y) const {
  bottomRight.y = bottomLeft.y = asFloat(y);
}

inline void CornerSteps::move(float dx, float dy) const {
  Point const offset(asFloat(dx), asFloat(dy));
  topLeft += offset;
  topRight += offset;
  bottomRight += offset;
  bottomLeft += offset;
}

// Each of the four edges is tested on its own: a box that sticks out on both sides of an axis
// moves both edges, so that the result covers it.
inline void CornerSteps::increaseTo(float left, float top, float right, float bottom) const {
  left = asFloat(left);
  top = asFloat(top);
  right = asFloat(right);
  bottom = asFloat(bottom);
  if (left < view().getLeft()) setLeftIndep(left);
  if (right > view().getRight()) setRightIndep(right);
  if (top < view().getTop()) setTopIndep(top);
  if (bottom > view().getBottom()) setBottomIndep(bottom);
}

struct RectCorners {
  Point topLeft, topRight, bottomRight, bottomLeft;

  RectCorners() = default;
  explicit RectCorners(SimpleRect const& r);

  CornerSteps steps() { return CornerSteps{topLeft, topRight, bottomRight, bottomLeft}; }
  CornerView view() const { return CornerView{topLeft, topRight, bottomRight, bottomLeft}; }

  void setRect(float left, float top, float right, float bottom) {
    steps().setRect(left, top, right, bottom);
  }
  void setMidpoints(Point const& a, Point const& b, float width) {
    steps().setMidpoints(a, b, width);
  }
  void setLeft(float x) { steps().setLeft(x); }
  void setRight(float x) { steps().setRight(x); }
  void setTop(float y) { steps().setTop(y); }
  void setBottom(float y) { steps().setBottom(y); }
  void move(float dx, float dy) { steps().move(dx, dy); }
  void increaseTo(RectCorners const& other) {
    CornerView const o = other.view();
    steps().increaseTo(o.getLeft(), o.getTop(), o.getRight(), o.getBottom());
  }

  Point getTopLeft() const { return topLeft; }
  Angle getAngle() const { return view().getAngle(); }
  float getWidth() const { return view().getWidth(); }
  float getHeight() const { return view().getHeight(); }
  Point getCenter() const { return view().getCenter(); }
  float getLeft() const { return view().getLeft(); }
  float getTop() const { return view().getTop(); }
  float getRight() const { return view().getRight(); }
  float getBottom() const { return view().getBottom(); }
  // The axis-aligned bounding box, as Rect::getBounds makes it.
  RectCorners getBounds() const;

  void storeIn(SimpleRect& r);
};
