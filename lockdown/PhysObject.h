// A body with an integer rectangle moved by a velocity that keeps its sub-pixel
// remainders, pushed out of walls by their exposed edges.
#pragma once

#include "lockdown/Object.h"
#include "lockdown/Rect.h"

namespace lockdown {

class PhysObject : public Collidable {
 public:
  double Get(const char* name) override;
  void Set(const char* name, double value) override;
  void CollideTest(Object* wall) override;
  // A body is only pushed by the walls it overlaps.
  bool Clears(const Rect& wall) override { return !rect.Overlaps(wall); }
  bool MeetsEveryWall() override { return false; }
  Rect Reach() override { return rect; }
  Rect Box() override { return rect; }
  bool AnswersBoxEdges() override { return true; }
  bool Overlaps(const Rect& other) const { return rect.Overlaps(other); }
  // Runs after each push out of a wall.
  virtual void AfterPush() {}
  void ApplyVelocity();

  Rect rect;
  Rect lastRect;
  double xVel = 0, yVel = 0;
  double xRemainder = 0, yRemainder = 0;
  double elasticity = 0;
  bool bOverlapsLeft = false, bOverlapsRight = false, bOverlapsTop = false, bOverlapsBottom = false;
  bool bHitFromLeft = false, bHitFromRight = false, bLandOnTop = false, bHitFromBelow = false;
};

}  // namespace lockdown
