#include "core/Activatable.h"

#include <cstdlib>

#include "core/Debug.h"
#include "core/GetParents.h"
#include "core/TypedLists.h"

Activatable::Activatable() : range(50) {}

bool Activatable::acceptActivation(Activator* activator) {
  Point center = getCenter();
  return dist(center.x, center.y, activator->getXCenter(), activator->getYCenter()) < range;
}

Rect Activatable::getActivatableRect(Activator* /*activator*/) {
  Rect* rect = dynamic_cast<Rect*>(this);
  if (!rect) {
    recordError("Error: Activatable is not a rect, yet getActivatableRect is not overridden");
    exit(1);
  }
  return *rect;
}

void Activator::activateObject() {
  // Never itself, when the activator can be activated too.
  Activatable* self = nullptr;
  if (isOfType(this, "Activatable")) self = dynamic_cast<Activatable*>(this);
  float bestDist = -1;
  Activatable* chosen = nullptr;
  for (int i = 0; i < activatables.size(); i++) {
    Activatable* obj = activatables.at(i);
    Point center = obj->getCenter();
    float d = dist(center.x, center.y, getXCenter(), getYCenter());
    if (!chosen || d < bestDist) {
      if (obj->acceptActivation(this) && obj != self) {
        chosen = obj;
        bestDist = d;
      }
    }
  }
  if (chosen) chosen->activate(this);
}
