#include "lockdown/TargetGrid.h"

#include <algorithm>
#include <climits>
#include <typeinfo>

#include "lockdown/Bullet.h"
#include "lockdown/Door.h"
#include "lockdown/ExitZone.h"
#include "lockdown/Game.h"
#include "lockdown/Guard.h"
#include "lockdown/Object.h"
#include "lockdown/Tank.h"
#include "lockdown/Terminal.h"
#include "lockdown/Tile.h"
#include "lockdown/Turret.h"
#include "lockdown/World.h"
#include "lockdown/Zizuzu.h"

namespace lockdown {

TargetGrid targetGrid;

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

bool IsWall(const Object* o) {
  const std::type_info& type = typeid(*o);
  return type == typeid(Tile) || type == typeid(Stairs);
}

// Classes whose IsPtIn is a test against their box.
bool IsBoxed(const Object* o) {
  const std::type_info& type = typeid(*o);
  return IsWall(o) || type == typeid(GuardZero) || type == typeid(GuardOne) ||
         type == typeid(Tank) || type == typeid(Turret) || type == typeid(Zizuzu) ||
         type == typeid(Door);
}

// Classes whose update moves no object but itself, adds no object but bullets and frees
// none.
bool MovesOnlyItself(const Object* o) {
  const std::type_info& type = typeid(*o);
  return type == typeid(GuardZero) || type == typeid(GuardOne) || type == typeid(Tank) ||
         type == typeid(Turret) || type == typeid(Zizuzu) || type == typeid(Bullet) ||
         type == typeid(Terminal) || type == typeid(ExitZone);
}

bool Covers(int c0, int c1, int r0, int r1, int c, int r) {
  return c0 <= c && c <= c1 && r0 <= r && r <= r1;
}

}  // namespace

bool TargetGrid::Holds(int type) { return IsTargetKind(type); }

void TargetGrid::BeginPass() {
  bInPass = true;
  bObjectsDue = bAnyMoved = true;
  // Walls stand still in play, as the region grid takes them to: they move only in the
  // editor, which builds that grid again when play resumes.
  bWallsDue = RegionGridBuilds() != buildsAtWallsSeen;
  pending.clear();
}

void TargetGrid::Updating(Object* object) {
  pending.push_back(object);
  if (MovesOnlyItself(object)) return;
  bAnyMoved = true;
  // A door pushes the bodies in its way and does no more; anything else may do anything.
  if (typeid(*object) != typeid(Door)) bObjectsDue = bWallsDue = true;
}

void TargetGrid::EndPass() {
  bInPass = false;
  pending.clear();
}

Object* TargetGrid::FirstHit(int x, int y, unsigned wanted) {
  Prepare();
  int c = CellOf(x, columns, kCellShift), r = CellOf(y, rows, kCellShift);
  int best = INT_MAX;
  const Cell& cell = cells[static_cast<size_t>(r) * columns + c];
  for (int rank : cell.ranks) {
    const Span& s = entries[rank].span;
    if (Covers(s.c0, s.c1, s.r0, s.r1, c, r) && Hits(entries[rank].object, x, y, wanted)) {
      best = rank;
      break;
    }
  }
  for (int rank : strangers) {
    if (rank >= best) break;
    if (Hits(entries[rank].object, x, y, wanted)) {
      best = rank;
      break;
    }
  }
  if (best == INT_MAX) return nullptr;
  Object* hit = entries[best].object;
  if (bInPass) pending.push_back(hit);
  return hit;
}

void TargetGrid::Prepare() {
  if (!bInPass || bObjectsDue) {
    if (game.levelWidth != width || game.levelHeight != height || !SameObjects())
      Build();
    else
      CompareBoxes(!bInPass || bWallsDue);
    buildsAtWallsSeen = RegionGridBuilds();
    bObjectsDue = bAnyMoved = bWallsDue = false;
  } else if (bAnyMoved) {
    CompareBoxes(false);
    bAnyMoved = false;
  }
  if (!bInPass) return;
  for (Object* o : pending) {
    int rank = RankOf(o);
    if (rank >= 0) Compare(rank);
  }
  // The object whose update runs may move again.
  if (!pending.empty()) {
    Object* inHand = pending.back();
    pending.assign(1, inHand);
  }
}

bool TargetGrid::SameObjects() {
  // Nothing joined the list and its count held: nothing left it either.
  bool bUntouched = objectList.Appends() == appendsSeen && objectList.Prepends() == prependsSeen &&
                    objectList.Count() == countSeen;
  appendsSeen = objectList.Appends();
  prependsSeen = objectList.Prepends();
  countSeen = objectList.Count();
  if (bUntouched) return true;
  size_t k = 0;
  for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next()) {
    Object* o = c.Current();
    if (!IsTargetKind(o->objectType)) continue;
    if (k == entries.size() || entries[k].object != o || *entries[k].type != typeid(*o))
      return false;
    ++k;
  }
  return k == entries.size();
}

void TargetGrid::Build() {
  width = game.levelWidth;
  height = game.levelHeight;
  columns = std::max(1, (width >> kCellShift) + 1);
  rows = std::max(1, (height >> kCellShift) + 1);
  entries.clear();
  strangers.clear();
  movers.clear();
  rankOf.clear();
  cells.assign(static_cast<size_t>(columns) * rows, Cell());
  for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next()) {
    Object* o = c.Current();
    if (!IsTargetKind(o->objectType)) continue;
    int rank = static_cast<int>(entries.size());
    entries.push_back({o, &typeid(*o), Span(), !IsBoxed(o)});
    rankOf.push_back({o, rank});
    if (entries.back().bStranger) {
      strangers.push_back(rank);
      continue;
    }
    if (!IsWall(o)) movers.push_back(rank);
    entries.back().span = SpanOf(o->Box());
    Place(rank);
  }
  std::sort(rankOf.begin(), rankOf.end());
}

int TargetGrid::RankOf(Object* object) const {
  auto found = std::lower_bound(rankOf.begin(), rankOf.end(), std::make_pair(object, INT_MIN));
  return found != rankOf.end() && found->first == object ? found->second : -1;
}

void TargetGrid::CompareBoxes(bool bWalls) {
  if (!bWalls) {
    for (int rank : movers) Compare(rank);
    return;
  }
  for (int rank = 0; rank < static_cast<int>(entries.size()); ++rank) Compare(rank);
}

// Moves an entry to the cells of its box as it is now.
void TargetGrid::Compare(int rank) {
  Entry& e = entries[rank];
  if (e.bStranger) return;
  Span was = e.span;
  e.span = SpanOf(e.object->Box());
  if (e.span == was) return;
  const Span& s = e.span;
  for (int r = was.r0; r <= was.r1; ++r)
    for (int c = was.c0; c <= was.c1; ++c)
      if (!Covers(s.c0, s.c1, s.r0, s.r1, c, r)) Leave(c, r);
  for (int r = s.r0; r <= s.r1; ++r)
    for (int c = s.c0; c <= s.c1; ++c)
      if (!Covers(was.c0, was.c1, was.r0, was.r1, c, r)) Join(c, r, rank);
}

TargetGrid::Span TargetGrid::SpanOf(const Rect& box) const {
  return CellSpanOf(box, columns, rows, kCellShift);
}

void TargetGrid::Place(int rank) {
  const Span& s = entries[rank].span;
  for (int r = s.r0; r <= s.r1; ++r)
    for (int c = s.c0; c <= s.c1; ++c) Join(c, r, rank);
}

// An entry whose span no longer covers the cell leaves its rank behind as a hole, which a
// query skips by the entry's span.
void TargetGrid::Leave(int c, int r) {
  ++cells[static_cast<size_t>(r) * columns + c].holes;
  Squeeze(c, r);
}

// The rank joins the cell in rank order; a hole of its own is taken back.
void TargetGrid::Join(int c, int r, int rank) {
  Cell& cell = cells[static_cast<size_t>(r) * columns + c];
  std::vector<int>& ranks = cell.ranks;
  if (ranks.empty() || ranks.back() < rank) {
    ranks.push_back(rank);
    return;
  }
  auto at = std::lower_bound(ranks.begin(), ranks.end(), rank);
  if (at != ranks.end() && *at == rank)
    --cell.holes;
  else
    ranks.insert(at, rank);
}

// A cell with more holes than ranks drops them.
void TargetGrid::Squeeze(int c, int r) {
  Cell& cell = cells[static_cast<size_t>(r) * columns + c];
  if (cell.holes * 2 <= static_cast<int>(cell.ranks.size())) return;
  auto gone = [&](int k) {
    const Span& o = entries[k].span;
    return !Covers(o.c0, o.c1, o.r0, o.r1, c, r);
  };
  cell.ranks.erase(std::remove_if(cell.ranks.begin(), cell.ranks.end(), gone), cell.ranks.end());
  cell.holes = 0;
}

}  // namespace lockdown
