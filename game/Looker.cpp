#include "game/Looker.h"

#include <algorithm>

#include "core/GetParents.h"
#include "core/SelfDestructing.h"
#include "core/TypedLists.h"
#include "game/Visible.h"
#include "geometry/Collisions.h"
#include "geometry/Shape.h"

namespace {
SelfDestructing* asSelfDestructing(Visible* visible) {
  if (!isOfType(visible, "SelfDestructing")) return nullptr;
  return dynamic_cast<SelfDestructing*>(visible);
}
}  // namespace

void Looker::getVisibles(std::vector<Visible*> const& list) {
  Shape* shape = getSeeShape();
  if (!shape) return;
  for (Visible* seen : currVisibles)
    if (SelfDestructing* held = asSelfDestructing(seen)) held->removeRef();
  currVisibles.clear();
  Point center = getCenter();
  for (Visible* candidate : list) {
    Point p = candidate->getCenter();
    if (!shape->isPtIn(p) || !(p != center) || !lineOfSight(center, p)) continue;
    currVisibles.push_back(candidate);
    if (SelfDestructing* held = asSelfDestructing(candidate)) held->addRef();
  }
}

void Looker::getVisible(std::vector<Visible*> const& list) { getVisibles(list); }

void Looker::getVisibles() { getVisibles(allVisible.getVect()); }

bool Looker::canSee(Visible* visible) {
  return std::find(currVisibles.begin(), currVisibles.end(), visible) != currVisibles.end();
}

bool Looker::canSee(Point const& p) {
  Shape* shape = getSeeShape();
  if (shape && !shape->isPtIn(p)) return false;
  return lineOfSight(getCenter(), p);
}
