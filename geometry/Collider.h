// A rectangle that keeps itself out of the level's obstacles. Each response judges the contact
// in the obstacle's own frame (axis-aligned, top-left corner at the origin) with a square box of
// the collider's width, now and at the last update, finds the side the box came in through and
// pushes it back out with a gap of one unit. Height and rotation of the collider play no part.
#pragma once

#include "core/ReferenceSwitches.h"
#include "geometry/Angle.h"
#include "geometry/Rect.h"

class Obstacle;

class Collider : public Rect {
 public:
  Collider();

  // Runs the response for every obstacle near the collider's rectangle.
  void process();
  // The response to one obstacle; ships override it to bounce and take damage.
  virtual void handleCollision(Obstacle* obstacle);
  bool collidingWithObstacle(Obstacle* obstacle);
  // Gathers the nearby obstacles as process does; draws nothing.
  void debugDraw();
  // A copy of the collider's own rectangle.
  Rect getBounds();

  void createBoundingBoxes(Angle const& rectAngle, Angle const& lastRectAngle);
  void describeCollision(Rect& obstacleRect, Rect& lastObstacleRect);
  void pushOut(Rect& orthoRect);

 protected:
  // The response step by step on rectangles: obstacles that are not their own rectangle, and
  // every obstacle while bCollideWithRects is set.
  void handleCollisionWithRects(Obstacle* obstacle);
  // The same steps on plain corners, for an obstacle whose rectangles are those of own.
  void handleCollisionWithCorners(Obstacle* obstacle, Rect& own);

  // The sides through which the last response found the box entering the obstacle.
  bool bCollLeft;
  bool bCollTop;
  bool bCollRight;
  bool bCollBottom;
  // Working storage of the last response: the box now and at the last centre in the world,
  // turned to the obstacle, and both carried into the obstacle's frames.
  Rect bbox;
  Rect lastBox;
  Rect orthoBox;
  Rect lastOrthoBox;
};

// A rectangle of rect's width and height, axis-aligned, its top-left corner at the origin.
Rect getOrthoRect(Rect& rect);
// Moves otherOrtho to where otherRect lies relative to baseRect, carried into the frame in
// which baseRect is orthoBase.
void placeBoxes(Rect& baseRect, Rect& orthoBase, Rect& otherRect, Rect& otherOrtho);
