#include "geometry/Rect.h"

#include <cstdlib>

#include "core/Debug.h"
#include "core/GameServices.h"
#include "core/GetParents.h"
#include "core/Utils.h"

Rect::Rect() : bLastRectUpdated(false) { lastRect = *this; }

Rect::Rect(Color const& both) : SimpleRect(both), lastRect(both), bLastRectUpdated(false) {
  lastRect = *this;
}

Rect::Rect(float left, float top, float right, float bottom) : bLastRectUpdated(false) {
  setRect(left, top, right, bottom);
  lastRect = *this;
  bFilled = false;
  bInView = true;
}

Rect::Rect(Point& tl, Point& tr, Point& br, Point& bl) : bLastRectUpdated(false) {
  setRect(tl, tr, br, bl);
  lastRect = *this;
  bFilled = false;
  bInView = true;
}

Rect::Rect(float width, float height) : Rect(0, 0, width, height) {}

Rect::Rect(SimpleRect const& rhs) : SimpleRect(), bLastRectUpdated(false) { setRect(rhs); }

Rect::Rect(Rect const& rhs) : SimpleRect(), bLastRectUpdated(false) { setRect(rhs); }

Rect& Rect::operator=(Rect const& rhs) {
  SimpleRect::operator=(rhs);
  return *this;
}

Rect& Rect::operator=(Rect const* rhs) {
  if (rhs) SimpleRect::operator=(*rhs);
  return *this;
}

void Rect::updateLast() {
  lastRect = *this;
  bLastRectUpdated = true;
}

Point Rect::getLastCenter() { return getLastRectRef().getCenter(); }

Rect Rect::getLastRect() { return Rect(getLastRectRef()); }

SimpleRect const& Rect::getLastRectRef() {
  if (bFirstCycle) return *this;
  if (!bLastRectUpdated) {
    recordError("Error: Last rect not updated for object", getType(this));
    std::exit(1);
  }
  return lastRect;
}

float Rect::getLastX() { return getLastRect().getXCenter(); }

float Rect::getLastY() { return getLastRect().getYCenter(); }

Rect Rect::getBounds() { return Rect(getLeft(), getTop(), getRight(), getBottom()); }

Point randomPointIn(Rect& rect) {
  double y = randRange(static_cast<double>(rect.getTop()), static_cast<double>(rect.getBottom()));
  double x = randRange(static_cast<double>(rect.getLeft()), static_cast<double>(rect.getRight()));
  return Point(x, y);
}

Point getRandomPoint(Rect& bounds) { return randomPointIn(bounds); }
