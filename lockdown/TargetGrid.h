// The grid through which the bullets' probe (HitScan) finds the objects under a point,
// instead of walking the whole object list at every step of every probe.
//
// It answers as the walk would: the first object in list order, of the wanted types,
// active and holding the point. It holds every object of a type a probe can ask for, in
// the cells its box reaches, each cell in list order, and keeps itself right by looking:
// the list's objects against those it holds (objects joined or left) and their boxes
// against the cells they sit in (objects moved).
//
// Looking at everything before every probe would cost as much as the walk, so the world
// step, its one owner, tells it what is going on: the pass begins (everything may have
// changed since the last frame), this object's update runs (it may move itself; objects
// of kinds not known here may move anything), the pass ends. Outside a pass every probe
// looks at everything again.
#pragma once

#include <typeinfo>
#include <vector>

#include "lockdown/CellSpan.h"
#include "lockdown/Rect.h"

namespace lockdown {

class Object;

class TargetGrid {
 public:
  // The first object in list order that is no bullet, is of a type in `wanted` (a mask of
  // type bits), answers "IsActive" with other than 0 and holds the point; null when none.
  Object* FirstHit(int x, int y, unsigned wanted);
  // True when the grid holds every object of the type: the probe may ask it for that type.
  static bool Holds(int type);

  // The world step's account of its update pass.
  void BeginPass();
  void Updating(Object* object);
  void EndPass();

 private:
  using Span = CellSpan;
  // An object held, by its place among the objects held (its rank: list order).
  struct Entry {
    Object* object;
    // Its class: an object freed and another made at its address is not taken for it.
    const std::type_info* type;
    Span span;
    // Its IsPtIn is no test against its box: asked at every point.
    bool bStranger;
  };
  // The ranks of the entries whose box reaches the cell, ascending, with holes: ranks of
  // entries that have left (their span no longer covers the cell), dropped once they are
  // more than half.
  struct Cell {
    std::vector<int> ranks;
    int holes = 0;
  };

  // Brings the grid up to date before a probe, by what may have changed.
  void Prepare();
  // True when the list holds the objects held, in the same order.
  bool SameObjects();
  void Build();
  void CompareBoxes(bool bWalls);
  void Compare(int rank);
  Span SpanOf(const Rect& box) const;
  void Place(int rank);
  void Join(int c, int r, int rank);
  void Leave(int c, int r);
  void Squeeze(int c, int r);

  std::vector<Entry> entries;
  std::vector<Cell> cells;
  std::vector<int> strangers;
  int width = -1, height = -1, columns = 1, rows = 1;
  bool bInPass = false;
  // Within a pass: the objects may have changed since the pass began (checked at the first
  // probe), and any object may have moved.
  bool bObjectsDue = true;
  bool bAnyMoved = true;
  // The walls' boxes are compared too: the region grid was built again since they were.
  bool bWallsDue = true;
  unsigned buildsAtWallsSeen = 0;
  // The object list's counts when its objects were last found the same.
  unsigned appendsSeen = 0, prependsSeen = 0;
  int countSeen = -1;
  // Objects that may have moved themselves since the last probe: those whose update ran
  // (the last of them still runs) and those a probe hit (the hit is dealt after it).
  std::vector<Object*> pending;
  // The held objects by address, with their ranks.
  std::vector<std::pair<Object*, int>> rankOf;
  // The ranks of the objects that are not walls: in play only these move.
  std::vector<int> movers;
  int RankOf(Object* object) const;
};

extern TargetGrid targetGrid;

}  // namespace lockdown
