#include "game/Obstacle.h"

#include <string>

#include "core/Debug.h"
#include "core/GetParents.h"

Rect Obstacle::getQuadTreeRect() { return getObstacleRect(); }

Rect Obstacle::getLastRect() {
  if (!isOfType(this, "Rect"))
    recordError("Error: " + getType(this) +
                " is not a rect, obstacle's getLastRect should be "
                "overridden");
  // An obstacle that is not a Rect has no last rectangle to read: its rectangle now stands in.
  if (Rect* rect = dynamic_cast<Rect*>(this)) return rect->getLastRect();
  return getObstacleRect();
}
