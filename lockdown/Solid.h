// A movable body whose position is carried by a mover; it only lands on walls.
#pragma once

#include "lockdown/Mover.h"
#include "lockdown/Object.h"

namespace lockdown {

class Solid : public Collidable {
 public:
  double Get(const char* name) override;
  void CollideTest(Object* wall) override;
  // Off the wall's top edge the test only keeps the wall and finds no landing.
  bool Clears(const Rect& wall) override;
  void PassWall(Object* other) override;
  Rect Box() override { return Rect(mover.left, mover.right, mover.top, mover.bottom); }
  bool AnswersBoxEdges() override { return true; }
  // Runs after every wall test.
  virtual void AfterCollision() {}

  Mover mover;
  bool bLanded = false;
  int pushDistance = 4;
  Object* wall = nullptr;
};

}  // namespace lockdown
