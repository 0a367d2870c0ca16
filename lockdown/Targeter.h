// The homing reticle: picks the nearest armed machine in clear view of its user and
// glides onto it, then sticks to it.
#pragma once

#include <vector>

#include "lockdown/Mover.h"

namespace lockdown {

class Object;

// The owner of a targeter: where it looks from.
class TargeterUser {
 public:
  virtual ~TargeterUser() = default;
  virtual int GetX() = 0;
  virtual int GetY() = 0;
};

class Targeter {
 public:
  Targeter();
  void Update();
  void Draw();
  bool HasTarget() const { return target != nullptr; }

  Mover mover;
  std::vector<Object*> candidates;
  Object* target = nullptr;
  Object* previousTarget = nullptr;
  TargeterUser* user = nullptr;
  int range = 750;
  int lastTargetX = 0, lastTargetY = 0;
  bool bLocked = false;
};

}  // namespace lockdown
