#include "core/Editable.h"

#include "core/Debug.h"
#include "core/GetParents.h"

Point Editable::getCenter() const { return Point(getXCenter(), getYCenter()); }

Rect Editable::getRect() {
  if (isOfType(this, "Rect")) {
    Rect* rect = dynamic_cast<Rect*>(this);
    if (rect) return *rect;
  }
  recordError("Error: Editable is not a rect, getRect should be overridden");
  return Rect();
}

bool Editable::placeOnTile(Tile* /*tile*/) { return false; }

bool Editable::isUnique() { return false; }
