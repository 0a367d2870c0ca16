#include "geometry/RectCorners.h"

#include "geometry/SimpleRect.h"

namespace {
// One edge of the bounding box, the corners' coordinates as floats in corner order.
template <bool bMax>
float edgeOf(double a, double b, double c, double d) {
  float const v[4] = {static_cast<float>(a), static_cast<float>(b), static_cast<float>(c),
                      static_cast<float>(d)};
  float result = v[0];
  for (int i = 1; i < 4; i++)
    if (bMax ? v[i] > result : v[i] < result) result = v[i];
  return result;
}
}  // namespace

Angle CornerView::getAngle() const { return Angle(::getAngle(bottomLeft, topLeft)); }

float CornerView::getWidth() const { return dist(topRight, topLeft); }

float CornerView::getHeight() const { return dist(topRight, bottomRight); }

Point CornerView::getCenter() const {
  return getMidpoint(getMidpoint(topLeft, topRight), getMidpoint(bottomRight, bottomLeft));
}

float CornerView::getLeft() const {
  return edgeOf<false>(topLeft.x, topRight.x, bottomRight.x, bottomLeft.x);
}

float CornerView::getTop() const {
  return edgeOf<false>(topLeft.y, topRight.y, bottomRight.y, bottomLeft.y);
}

float CornerView::getRight() const {
  return edgeOf<true>(topLeft.x, topRight.x, bottomRight.x, bottomLeft.x);
}

float CornerView::getBottom() const {
  return edgeOf<true>(topLeft.y, topRight.y, bottomRight.y, bottomLeft.y);
}

void CornerSteps::setRect(float left, float top, float right, float bottom) const {
  topLeft.setPoint(left, top);
  topRight.setPoint(right, top);
  bottomRight.setPoint(right, bottom);
  bottomLeft.setPoint(left, bottom);
}

void CornerSteps::setMidpoints(Point const& a, Point const& b, float width) const {
  Angle theta(::getAngle(a, b));
  double half = width / 2;
  topRight = a + getPointAtAngle(theta + 90, half);
  topLeft = a + getPointAtAngle(theta - 90, half);
  bottomRight = b + getPointAtAngle(theta + 90, half);
  bottomLeft = b + getPointAtAngle(theta - 90, half);
}

void CornerSteps::setLeft(float x) const {
  float w = static_cast<float>(topRight.x - topLeft.x);
  topLeft.x = bottomLeft.x = x;
  topRight.x = bottomRight.x = x + w;
}

void CornerSteps::setRight(float x) const {
  float w = static_cast<float>(topRight.x - topLeft.x);
  topRight.x = bottomRight.x = x;
  topLeft.x = bottomLeft.x = x - w;
}

void CornerSteps::setTop(float y) const {
  float h = static_cast<float>(bottomRight.y - topRight.y);
  topLeft.y = topRight.y = y;
  bottomLeft.y = bottomRight.y = y + h;
}

void CornerSteps::setBottom(float y) const {
  float h = static_cast<float>(bottomRight.y - topRight.y);
  bottomLeft.y = bottomRight.y = y;
  topLeft.y = topRight.y = y - h;
}

void CornerSteps::setLeftIndep(float x) const { topLeft.x = bottomLeft.x = x; }

void CornerSteps::setTopIndep(float y) const { topLeft.y = topRight.y = y; }

void CornerSteps::setRightIndep(float x) const { topRight.x = bottomRight.x = x; }

void CornerSteps::setBottomIndep(float y) const { bottomRight.y = bottomLeft.y = y; }

void CornerSteps::move(float dx, float dy) const {
  Point offset(dx, dy);
  topLeft += offset;
  topRight += offset;
  bottomRight += offset;
  bottomLeft += offset;
}

// Each of the four edges is tested on its own: a box that sticks out on both sides of an axis
// moves both edges, so that the result covers it.
void CornerSteps::increaseTo(float left, float top, float right, float bottom) const {
  if (left < view().getLeft()) setLeftIndep(left);
  if (right > view().getRight()) setRightIndep(right);
  if (top < view().getTop()) setTopIndep(top);
  if (bottom > view().getBottom()) setBottomIndep(bottom);
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
