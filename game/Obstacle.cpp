#include "game/Obstacle.h"

#include <string>

#include "core/Debug.h"
#include "core/GetParents.h"
#include "geometry/Collisions.h"

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

SimpleRect* Obstacle::asRect() {
  if (!casts.bFound) {
    casts.rect = dynamic_cast<SimpleRect*>(this);
    casts.collidable = dynamic_cast<Collidable*>(this);
    casts.bFound = true;
  }
  return casts.rect;
}

Collidable* Obstacle::asCollidable() {
  asRect();
  return casts.collidable;
}

Rect Obstacle::getLastRect() {
  checkIsRect(this);
  // An obstacle that is not a Rect has no last rectangle to read: its rectangle now stands in.
  if (Rect* rect = dynamic_cast<Rect*>(this)) return rect->getLastRect();
  return getObstacleRect();
}
