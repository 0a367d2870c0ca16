// The one probe that bullets use: a mover stepped from a start point to an end point,
// hitting the first active object of the wanted types under it, first in list order.
//
// The probe finds the objects under a point through the target grid (TargetGrid), not by a
// walk over every object; bFullScans takes the walk.
#pragma once

#include "lockdown/CheckedVector.h"
#include "lockdown/Mover.h"

namespace lockdown {

class Object;

class HitScan {
 public:
  bool Start(int x0, int y0, int x1, int y1, bool bWalls, bool bStairs, bool bEnemies, bool bZizuzu,
             double step);
  bool Run();

  Mover mover;
  IntVector targetTypes;
  Object* result = nullptr;
  double distance = 0;
  double stepLength = 1;

 private:
  // The first object of the list that the probe hits at the point.
  Object* FirstHitByWalk(int x, int y);
};

extern HitScan hitScan;

}  // namespace lockdown
