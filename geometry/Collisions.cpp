#include "geometry/Collisions.h"

#include "core/Debug.h"
#include "core/GameServices.h"
#include "core/GetParents.h"
#include "geometry/Rect.h"

std::vector<Collidable*> collideTestResults;

void getCollision(std::vector<Collidable*> const& collidableList, Point const& pointA,
                  Point const& pointB) {
  if (bDebugFunction) {
    debugFunc("getType(currState):", getGameStateType());
    debugFunc("collidableList.size():", collidableList.size());
    for (Collidable* candidate : collidableList) debugFunc(getType(candidate));
    debugFunc("");
  }
  collideTestResults.clear();
  Point const linePoly[] = {pointA, pointB};
  for (size_t i = 0; i < collidableList.size(); i++) {
    Collidable* candidate = collidableList.at(i);
    std::vector<Point> const poly = candidate->getPoly();
    if (polygonIntersect(poly.data(), poly.size(), linePoly, 2))
      collideTestResults.push_back(candidate);
  }
}

void getCollision(ObjectVector<Collidable*>& collidableList, Point const& pointA,
                  Point const& pointB) {
  getCollision(collidableList.getVect(), pointA, pointB);
}

// Game play keeps the fences, and the index that narrows the test to those near the line.
bool lineOfSight(Point const& p1, Point const& p2) { return isClearOfFences(p1, p2); }

Point getCollisionPoint(Point const& /*start*/, float /*angle*/) {
  recordError("Error: getCollisionPoint not implemented");
  return Point();
}

bool clearShot(std::vector<Collidable*>& /*collidableList*/, Point& /*p1*/, Point& /*p2*/,
               Rect& /*testRect*/) {
  recordError("Error: clear shot not implemented");
  return true;
}
