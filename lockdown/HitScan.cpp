#include "lockdown/HitScan.h"

#include "lockdown/Object.h"
#include "lockdown/ReferenceSwitches.h"
#include "lockdown/TargetGrid.h"

namespace lockdown {

HitScan hitScan;

bool HitScan::Start(int x0, int y0, int x1, int y1, bool bWalls, bool bStairs, bool bEnemies,
                    bool bZizuzu, double step) {
  mover.Init(x0, y0, 4.0, 160, 10, 10, true);
  mover.SetTarget(x1, y1);
  // A step below one pixel would never arrive.
  stepLength = step < 1 ? 1 : step;
  mover.speed = stepLength;
  targetTypes.Clear();
  if (bWalls) {
    targetTypes.Add(kTile);
    targetTypes.Add(kDoor);
  }
  if (bStairs) targetTypes.Add(kStairs);
  if (bEnemies) {
    targetTypes.Add(kGuardZero);
    targetTypes.Add(kGuardOne);
    targetTypes.Add(kTurret);
    targetTypes.Add(kTank);
  }
  if (bZizuzu) targetTypes.Add(kZizuzu);
  return Run();
}

Object* HitScan::FirstHitByWalk(int x, int y) {
  for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next()) {
    Object* object = c.Current();
    if (object->bDestroyed || object->objectType == kBullet) continue;
    bool bWanted = false;
    for (int i = 0; i < targetTypes.Count(); ++i)
      bWanted = bWanted || targetTypes.At(i) == object->objectType;
    if (!bWanted || object->Get("IsActive") == 0) continue;
    if (object->IsPtIn(x, y)) return object;
  }
  return nullptr;
}

bool HitScan::Run() {
  result = nullptr;
  distance = 0;
  unsigned wanted = 0;
  bool bGrid = !bFullScans;
  for (int i = 0; i < targetTypes.Count(); ++i) {
    int type = targetTypes.At(i);
    if (TargetGrid::Holds(type))
      wanted |= 1u << type;
    else
      bGrid = false;  // the grid holds only the kinds above
  }
  while (!mover.AtTarget()) {
    mover.Step();
    distance += stepLength;
    int px = static_cast<int>(mover.x), py = static_cast<int>(mover.y);
    Object* hit = bGrid ? targetGrid.FirstHit(px, py, wanted) : FirstHitByWalk(px, py);
    if (hit) {
      result = hit;
      return true;
    }
  }
  return false;
}

}  // namespace lockdown
