// A rectangle's corner steps, written once. SimpleRect runs them on its own corners, and
// RectCorners (four plain corner values, for hot paths that would otherwise build and free whole
// rectangles for intermediate values) on its own, so that both give the same numbers.
//
// Every step is out of line. Each takes or gives single-precision values that the corners
// (doubles) must be rounded to; inlined into its caller, GCC 12 at -O2 merges such a step into
// double-precision vector code and drops the rounding to float, and a release build then plays
// other numbers than the test build. A float handed through a call is always rounded.
#pragma once

#include "geometry/Angle.h"
#include "geometry/Point.h"

class SimpleRect;

// Reading four corners kept elsewhere, in the order topLeft, topRight, bottomRight, bottomLeft.
struct CornerView {
  Point const& topLeft;
  Point const& topRight;
  Point const& bottomRight;
  Point const& bottomLeft;

  // Heading from the bottom edge towards the top edge.
  Angle getAngle() const;
  float getWidth() const;
  float getHeight() const;
  // The true centre: the midpoint of the top and bottom edges' midpoints.
  Point getCenter() const;
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
