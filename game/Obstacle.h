// What stands in a ship's way: fences, wall tiles, barriers. Obstacles are indexed in the
// level's quad tree and pushed against by every collider.
#pragma once

#include "geometry/ObstacleFrames.h"
#include "geometry/QuadTree.h"

class Collidable;

class Obstacle : public QuadTreeObject {
 public:
  // The obstacle's own rectangle, unless it must be found in a larger area.
  Rect getQuadTreeRect() override;
  // The rectangle now, possibly rotated.
  virtual Rect getObstacleRect() = 0;
  // The rectangle at the last update. Obstacles that are not rectangles must override it.
  virtual Rect getLastRect();
  // The obstacle's own rectangle when getObstacleRect answers a copy of it and getLastRect is
  // not overridden, so that colliders can read the corners without copies; null otherwise.
  virtual Rect* getOwnRect() { return nullptr; }
  // What getLastRect would copy, for an obstacle whose own rectangle is own (same checks).
  SimpleRect const& getOwnLastRect(Rect& own);
  // The obstacle as a rectangle and as a collidable (null when it is not one), each cast once:
  // an object's class does not change while it lives.
  SimpleRect* asRect();
  Collidable* asCollidable();
  virtual void draw() = 0;
  // What colliders' responses have worked out about the obstacle's rectangles.
  ObstacleFrames& colliderFrames() { return frames; }

  // A hook for drawing an obstacle's collision data; obstacles draw nothing extra.
  void debugDraw() {}

 private:
  // Belongs to one object: a copy finds its own casts.
  struct Casts {
    Casts() = default;
    Casts(Casts const&) {}
    Casts& operator=(Casts const&) { return *this; }
    bool bFound = false;
    SimpleRect* rect = nullptr;
    Collidable* collidable = nullptr;
  } casts;
  ObstacleFrames frames;
};
