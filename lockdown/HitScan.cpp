#include "lockdown/HitScan.h"

#include <algorithm>
#include <climits>
#include <typeinfo>
#include <vector>

#include "lockdown/Door.h"
#include "lockdown/Game.h"
#include "lockdown/Guard.h"
#include "lockdown/Object.h"
#include "lockdown/Tank.h"
#include "lockdown/Tile.h"
#include "lockdown/Turret.h"
#include "lockdown/Zizuzu.h"

namespace lockdown {

HitScan hitScan;
bool bWorldStepping = false;

namespace {

// Types a probe can ask for: guards, tiles, stairs, the zizuzu, turrets, doors and tanks.
constexpr unsigned kTargetKinds = 1u << kGuardZero | 1u << kGuardOne | 1u << kTile | 1u << kStairs |
                                  1u << kZizuzu | 1u << kTurret | 1u << kDoor | 1u << kTank;
constexpr int kCellShift = 6;  // cells of 64 by 64 pixels

bool IsTargetKind(int type) { return type >= 0 && type < 32 && (kTargetKinds >> type & 1); }

// The probe's test of one object, as the walk over the list makes it.
bool Hits(Object* o, int x, int y, unsigned wanted) {
  if (o->bDestroyed || o->objectType == kBullet) return false;
  if (o->objectType < 0 || o->objectType >= 32 || !(wanted >> o->objectType & 1)) return false;
  return o->Get("IsActive") != 0 && o->IsPtIn(x, y);
}

class TargetGrid {
 public:
  // The first object in list order that the probe hits at the point, or null.
  Object* FirstHit(int x, int y, unsigned wanted) {
    Prepare();
    int best = INT_MAX;
    Object* hit = nullptr;
    size_t cell = CellIndex(x, y);
    // Walls are binned in list order: the first hit among them is their earliest.
    for (const Placed& p : walls[cell])
      if (Hits(p.object, x, y, wanted)) {
        best = p.rank;
        hit = p.object;
        break;
      }
    for (int m : movers[cell]) {
      const Mover& e = moving[m];
      if (e.rank < best && Hits(e.object, x, y, wanted)) {
        best = e.rank;
        hit = e.object;
      }
    }
    for (const Placed& p : strangers)
      if (p.rank < best && Hits(p.object, x, y, wanted)) {
        best = p.rank;
        hit = p.object;
      }
    return hit;
  }

  void Drop() { bBuilt = false; }
  void NoteMoves() { ++moves; }

 private:
  struct Span {
    int c0 = 0, c1 = -1, r0 = 0, r1 = -1;
    bool operator==(const Span& o) const {
      return c0 == o.c0 && c1 == o.c1 && r0 == o.r0 && r1 == o.r1;
    }
  };
  struct Placed {
    int rank;
    Object* object;
  };
  struct Mover {
    int rank;
    Object* object;
    Span span;
  };

  int CellOf(int v, int count) const {
    int c = v < 0 ? 0 : v >> kCellShift;
    return c < count ? c : count - 1;
  }
  size_t CellIndex(int x, int y) const {
    return static_cast<size_t>(CellOf(y, rows)) * columns + CellOf(x, columns);
  }
  // Edges included and in either order, beyond the grid folded onto its edge cells: any
  // point inside the box lies in one of the cells.
  Span SpanOf(const Rect& box) const {
    Span s;
    s.c0 = CellOf(std::min(box.left, box.right), columns);
    s.c1 = CellOf(std::max(box.left, box.right), columns);
    s.r0 = CellOf(std::min(box.top, box.bottom), rows);
    s.r1 = CellOf(std::max(box.top, box.bottom), rows);
    return s;
  }

  // The grid stands for the list as long as nothing but bullets joined it, no object of it
  // was freed and the level kept its size.
  void Prepare() {
    if (bBuilt && objectList.Prepends() != prependsSeen) {
      // Whatever was put in front since lies among as many first objects.
      unsigned fresh = objectList.Prepends() - prependsSeen;
      PtrList<Object>::Cursor c(objectList);
      for (unsigned k = 0; k < fresh && !c.AtEnd(); ++k, c.Next()) {
        Object* o = c.Current();
        if (!o->bDestroyed && IsTargetKind(o->objectType) && !o->targetIndexed.bSet) bBuilt = false;
      }
      prependsSeen = objectList.Prepends();
    }
    if (!bBuilt || objectList.Appends() != appendsAtBuild || game.levelWidth != width ||
        game.levelHeight != height) {
      Build();
      return;
    }
    if (moves != movesSeen || !bWorldStepping) Revisit();
  }

  void Build() {
    width = game.levelWidth;
    height = game.levelHeight;
    columns = std::max(1, (width >> kCellShift) + 1);
    rows = std::max(1, (height >> kCellShift) + 1);
    walls.assign(static_cast<size_t>(columns) * rows, {});
    movers.assign(static_cast<size_t>(columns) * rows, {});
    moving.clear();
    strangers.clear();
    int rank = 0;
    for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next(), ++rank) {
      Object* o = c.Current();
      if (o->bDestroyed || !IsTargetKind(o->objectType)) continue;
      o->targetIndexed.bSet = true;
      const std::type_info& type = typeid(*o);
      if (type == typeid(Tile) || type == typeid(Stairs)) {
        // Walls stand still in play; the editor's changes come back through PrepareLevel.
        Span s = SpanOf(o->Box());
        for (int r = s.r0; r <= s.r1; ++r)
          for (int k = s.c0; k <= s.c1; ++k)
            walls[static_cast<size_t>(r) * columns + k].push_back({rank, o});
      } else if (type == typeid(GuardZero) || type == typeid(GuardOne) || type == typeid(Tank) ||
                 type == typeid(Turret) || type == typeid(Zizuzu) || type == typeid(Door)) {
        // Their IsPtIn is a test against their box.
        moving.push_back({rank, o, Span()});
        Bin(static_cast<int>(moving.size()) - 1);
      } else {
        strangers.push_back({rank, o});
      }
    }
    appendsAtBuild = objectList.Appends();
    prependsSeen = objectList.Prepends();
    movesSeen = moves;
    bBuilt = true;
  }

  void Bin(int m) {
    Mover& e = moving[m];
    e.span = SpanOf(e.object->Box());
    for (int r = e.span.r0; r <= e.span.r1; ++r)
      for (int k = e.span.c0; k <= e.span.c1; ++k)
        movers[static_cast<size_t>(r) * columns + k].push_back(m);
  }

  void Revisit() {
    for (int m = 0; m < static_cast<int>(moving.size()); ++m) {
      Mover& e = moving[m];
      if (SpanOf(e.object->Box()) == e.span) continue;
      for (int r = e.span.r0; r <= e.span.r1; ++r)
        for (int k = e.span.c0; k <= e.span.c1; ++k) {
          std::vector<int>& cell = movers[static_cast<size_t>(r) * columns + k];
          cell.erase(std::find(cell.begin(), cell.end(), m));
        }
      Bin(m);
    }
    movesSeen = moves;
  }

  bool bBuilt = false;
  unsigned appendsAtBuild = 0;
  unsigned prependsSeen = 0;
  unsigned moves = 0, movesSeen = 0;
  int width = 0, height = 0, columns = 1, rows = 1;
  std::vector<std::vector<Placed>> walls;
  std::vector<std::vector<int>> movers;
  std::vector<Mover> moving;
  // Objects of target types whose classes are not known here: asked at every point.
  std::vector<Placed> strangers;
};

TargetGrid targetGrid;

}  // namespace

void TargetsMayHaveMoved() { targetGrid.NoteMoves(); }
void DropTargetGrid() { targetGrid.Drop(); }

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
    if (IsTargetKind(type))
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
