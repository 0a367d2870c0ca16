#include "geometry/RectCorners.h"

#include "geometry/SimpleRect.h"

void CornerSteps::setMidpoints(Point const& a, Point const& b, float width) const {
  Angle theta(::getAngle(a, b));
  double half = width / 2;
  topRight = a + getPointAtAngle(theta + 90, half);
  topLeft = a + getPointAtAngle(theta - 90, half);
  bottomRight = b + getPointAtAngle(theta + 90, half);
  bottomLeft = b + getPointAtAngle(theta - 90, half);
}

RectCorners::RectCorners(SimpleRect const& r)
    : topLeft(r.cornerTopLeft()),
      topRight(r.cornerTopRight()),
      bottomRight(r.cornerBottomRight()),
      bottomLeft(r.cornerBottomLeft()) {}

RectCorners RectCorners::getBounds() const {
  RectCorners result;
  result.setRect(getLeft(), getTop(), getRight(), getBottom());
  return result;
}

void RectCorners::storeIn(SimpleRect& r) { r.setRect(topLeft, topRight, bottomRight, bottomLeft); }
