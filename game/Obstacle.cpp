#include "game/Obstacle.h"

#include <string>

#include "core/Debug.h"
#include "core/GetParents.h"

Rect Obstacle::getQuadTreeRect() { return getObstacleRect(); }

namespace {
void checkIsRect(Obstacle* obstacle) {
  if (!isOfType(obstacle, "Rect"))
    recordError("Error: " + getType(obstacle) +
                " is not a rect, obstacle's getLastRect should be "
                "overridden");
}
}  // namespace

SimpleRect const& Obstacle::getOwnLastRect(Rect& own) {
  checkIsRect(this);
  return own.getLastRectRef();
}

Rect Obstacle::getLastRect() {
  checkIsRect(this);
  // An obstacle that is not a Rect has no last rectangle to read: its rectangle now stands in.
  if (Rect* rect = dynamic_cast<Rect*>(this)) return rect->getLastRect();
  return getObstacleRect();
}
