// The collision and sight queries: which candidates a moving point crossed during the last
// frame, whether a sight line crosses a fence, and the nearest object to a point. Every test
// is exact and runs on the candidates the caller passes; callers narrow them first (the
// obstacle quad tree, the typed lists).
#pragma once

#include <vector>

#include "core/ObjectVector.h"
#include "geometry/Overlap.h"
#include "geometry/Point.h"

class Projectile;
class Rect;

// Anything with a corner polygon that shots and sight lines test against.
class Collidable {
 public:
  virtual ~Collidable() {}
  // Convex, corners in order around it (rectangles: top-left, top-right, bottom-right,
  // bottom-left).
  virtual std::vector<Point> getPoly() = 0;
  virtual bool isPtIn(float x, float y) const = 0;
  virtual bool isPtIn(Point const& p) const {
    return isPtIn(static_cast<float>(p.x), static_cast<float>(p.y));
  }
  virtual Point getCenter() const = 0;
  virtual bool isCollision(Rect& r) = 0;
};

// A collidable that projectiles can hit.
class Shootable : public Collidable {
 public:
  virtual void takeHit(Projectile* p) = 0;
};

// The answer of the last getCollision, in candidate order; valid until the next call.
extern std::vector<Collidable*> collideTestResults;

// Every candidate whose polygon meets the segment from pointA to pointB.
void getCollision(std::vector<Collidable*> const& collidableList, Point const& pointA,
                  Point const& pointB);
void getCollision(ObjectVector<Collidable*>& collidableList, Point const& pointA,
                  Point const& pointB);
// True unless the segment crosses the centre line of a fence of the level.
bool lineOfSight(Point const& p1, Point const& p2);
// True unless the segment crosses the centre line of one of the rectangles (touching counts);
// their width plays no part. lineOfSight runs it over the level's fences.
template <class R>
bool lineOfSightThrough(std::vector<R*> const& walls, Point const& p1, Point const& p2) {
  for (R* wall : walls)
    if (segmentsIntersect(wall->getPointA(), wall->getPointB(), p1, p2)) return false;
  return true;
}
// Not implemented: logged, and they answer a default point and true.
Point getCollisionPoint(Point const& start, float angle);
bool clearShot(std::vector<Collidable*>& collidableList, Point& p1, Point& p2, Rect& testRect);

// Nearest object: the nearest element strictly within maxDist (-1: no limit), the first in
// list order on a tie; null for an empty list or none within maxDist.
template <class T>
T* getNearest(std::vector<T*> const& objects, Point const& p, float maxDist = -1) {
  float leastDist = -1;
  T* closest = nullptr;
  for (size_t i = 0; i < objects.size(); i++) {
    float d = dist(objects.at(i)->getCenter(), p);
    if (!closest) {
      if (maxDist == -1 || d < maxDist) {
        leastDist = d;
        closest = objects.at(i);
      }
    } else if (d < leastDist) {
      leastDist = d;
      closest = objects.at(i);
    }
  }
  return closest;
}

template <class T>
T* getClosest(VectorInterface<T*>& objects, Point const& p, float maxDist = -1) {
  return getNearest(objects.getVect(), p, maxDist);
}

template <class T>
T* getNearest(Point const& p, VectorInterface<T*> objects, float maxDist = -1) {
  return getClosest(objects, p, maxDist);
}

template <class T>
T* getNearest(VectorInterface<T*> objects, Point const& p, float maxDist = -1) {
  return getClosest(objects, p, maxDist);
}

template <class T>
T* getNearest(Point const& p, ObjectVector<T*>& objects, float maxDist = -1) {
  return getClosest<T>(objects, p, maxDist);
}

template <class T>
T* findNearest(ObjectVector<T*>& objects, Point const& p, float maxDist = -1) {
  return getNearest(objects.getVect(), p, maxDist);
}
