// What stands in a ship's way: fences, wall tiles, barriers. Obstacles are indexed in the
// level's quad tree and pushed against by every collider.
#pragma once

#include "geometry/QuadTree.h"

class Obstacle : public QuadTreeObject {
 public:
  // The obstacle's own rectangle, unless it must be found in a larger area.
  Rect getQuadTreeRect() override;
  // The rectangle now, possibly rotated.
  virtual Rect getObstacleRect() = 0;
  // The rectangle at the last update. Obstacles that are not rectangles must override it.
  virtual Rect getLastRect();
  virtual void draw() = 0;

  // A hook for drawing an obstacle's collision data; obstacles draw nothing extra.
  void debugDraw() {}
};
