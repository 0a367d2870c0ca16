// A movable body whose position is carried by a mover; it only lands on walls.
#pragma once

#include "lockdown/Mover.h"
#include "lockdown/Object.h"

namespace lockdown {

class Solid : public Collidable {
 public:
  double Get(const char* name) override;
  void CollideTest(Object* wall) override;
  // Runs after every wall test.
  virtual void AfterCollision() {}

  Mover mover;
  bool bLanded = false;
  int pushDistance = 4;
  Object* wall = nullptr;
};

}  // namespace lockdown
