// A rectangle's four corners as plain values, for hot paths that would otherwise build and
// free whole rectangles (colours, corner caches, last-frame copies) for intermediate values.
#pragma once

#include "geometry/Point.h"
#include "geometry/SimpleRect.h"

// Each operation does exactly what the rectangle's own operation does (same float steps, same
// order), so that both give the same numbers.
struct RectCorners {
  Point topLeft, topRight, bottomRight, bottomLeft;

  RectCorners() = default;
  explicit RectCorners(SimpleRect const& r)
      : topLeft(r.cornerTopLeft()),
        topRight(r.cornerTopRight()),
        bottomRight(r.cornerBottomRight()),
        bottomLeft(r.cornerBottomLeft()) {}

  void setRect(float left, float top, float right, float bottom) {
    topLeft.setPoint(left, top);
    topRight.setPoint(right, top);
    bottomRight.setPoint(right, bottom);
    bottomLeft.setPoint(left, bottom);
  }
  void setMidpoints(Point const& a, Point const& b, float width) {
    Angle theta(::getAngle(a, b));
    double half = width / 2;
    topRight = a + getPointAtAngle(theta + 90, half);
    topLeft = a + getPointAtAngle(theta - 90, half);
    bottomRight = b + getPointAtAngle(theta + 90, half);
    bottomLeft = b + getPointAtAngle(theta - 90, half);
  }
  void setLeft(float x) {
    float w = static_cast<float>(topRight.x - topLeft.x);
    topLeft.x = bottomLeft.x = x;
    topRight.x = bottomRight.x = x + w;
  }
  void setRight(float x) {
    float w = static_cast<float>(topRight.x - topLeft.x);
    topRight.x = bottomRight.x = x;
    topLeft.x = bottomLeft.x = x - w;
  }
  void setTop(float y) {
    float h = static_cast<float>(bottomRight.y - topRight.y);
    topLeft.y = topRight.y = y;
    bottomLeft.y = bottomRight.y = y + h;
  }
  void setBottom(float y) {
    float h = static_cast<float>(bottomRight.y - topRight.y);
    bottomLeft.y = bottomRight.y = y;
    topLeft.y = topRight.y = y - h;
  }

  Point getTopLeft() const { return topLeft; }
  Angle getAngle() const { return Angle(::getAngle(bottomLeft, topLeft)); }
  float getWidth() const { return dist(topRight, topLeft); }
  float getHeight() const { return dist(topRight, bottomRight); }
  Point getCenter() const {
    return getMidpoint(getMidpoint(topLeft, topRight), getMidpoint(bottomRight, bottomLeft));
  }
  // The bounding box of the corners in the cache's order, each coordinate as a float.
  float getLeft() const { return least(topLeft.x, topRight.x, bottomRight.x, bottomLeft.x); }
  float getTop() const { return least(topLeft.y, topRight.y, bottomRight.y, bottomLeft.y); }
  float getRight() const { return most(topLeft.x, topRight.x, bottomRight.x, bottomLeft.x); }
  float getBottom() const { return most(topLeft.y, topRight.y, bottomRight.y, bottomLeft.y); }

  void move(float dx, float dy) {
    Point offset(dx, dy);
    topLeft += offset;
    topRight += offset;
    bottomRight += offset;
    bottomLeft += offset;
  }
  void setLeftIndep(float x) { topLeft.x = bottomLeft.x = x; }
  void setTopIndep(float y) { topLeft.y = topRight.y = y; }
  void setRightIndep(float x) { topRight.x = bottomRight.x = x; }
  void setBottomIndep(float y) { bottomRight.y = bottomLeft.y = y; }
  void increaseTo(RectCorners const& other) {
    float left = other.getLeft();
    float top = other.getTop();
    float right = other.getRight();
    float bottom = other.getBottom();
    if (left < getLeft()) setLeftIndep(left);
    if (right > getRight()) setRightIndep(right);
    if (top < getTop()) setTopIndep(top);
    if (bottom > getBottom()) setBottomIndep(bottom);
  }
  // The axis-aligned bounding box, as Rect::getBounds makes it.
  RectCorners getBounds() const {
    RectCorners result;
    result.setRect(getLeft(), getTop(), getRight(), getBottom());
    return result;
  }

  void storeIn(SimpleRect& r) { r.setRect(topLeft, topRight, bottomRight, bottomLeft); }

  static float least(double a, double b, double c, double d) {
    float const v[4] = {static_cast<float>(a), static_cast<float>(b), static_cast<float>(c),
                        static_cast<float>(d)};
    float result = v[0];
    for (int i = 1; i < 4; i++)
      if (v[i] < result) result = v[i];
    return result;
  }
  static float most(double a, double b, double c, double d) {
    float const v[4] = {static_cast<float>(a), static_cast<float>(b), static_cast<float>(c),
                        static_cast<float>(d)};
    float result = v[0];
    for (int i = 1; i < 4; i++)
      if (v[i] > result) result = v[i];
    return result;
  }
};
