// The one probe that bullets use: a mover stepped from a start point to an end point,
// hitting the first active object of the wanted types under it, first in list order.
//
// The probe finds the objects under a point through a grid (tiles and stairs, which do not
// move in play, binned once; the machines, the zizuzu and doors binned again whenever they
// may have moved), not by a walk over every object.
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

// Things that may have moved the objects a probe can hit (an update, a hit) say so before
// the next probe; the grid then looks at them again.
void TargetsMayHaveMoved();
// The grid is built again before the next probe (walls merged or moved in the editor).
void DropTargetGrid();
// Set while the world's update pass runs: outside it every probe looks at the movers again.
extern bool bWorldStepping;

}  // namespace lockdown
