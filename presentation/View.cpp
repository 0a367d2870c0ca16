#include "presentation/View.h"

#include "core/GameServices.h"

View view;
Rect worldBounds;

View::View()
    : scrollSpeed(4.0),
      scrollRange(200.0),
      angle(0.0),
      oldLeft(0),
      oldTop(0),
      oldAngle(0),
      oldWidth(0),
      oldHeight(0),
      bConstrainView(false) {
  setRect(0, 0, getScreenWidth(), getScreenHeight());
}

void View::mapToView(Point& point) {
  if (angle != 0) {
    Point center = getCenter();
    Point rel = point - center;
    if (worldBasePoint.isSet()) rel = point - worldBasePoint;
    rotatePoint(angle, rel);
    point = rel + center;
    if (viewBasePoint.isSet()) point = rel + viewBasePoint;
  }
  point.x = getScreenWidth() * (point.x - getLeft()) / getWidth();
  point.y = getScreenHeight() * (point.y - getTop()) / getHeight();
}

double View::getScale() { return getScreenWidth() / getWidth(); }

double View::getAngle() { return wrapAngle(angle); }
