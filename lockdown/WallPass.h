// The walls' update pass. A tile's update has every collidable test itself against the
// tile, in list order, and a stairs' update lands the guards that reach it; here the
// collidables sit in a grid by the boxes they reach, so that a wall meets only those it
// can touch (and those that must meet every wall), still in list order. Only a wall's own
// meeting moves a collidable during the pass, so the grid is kept right by binning that one
// collidable again after each meeting.
#pragma once

#include <vector>

#include "lockdown/CellSpan.h"
#include "lockdown/Rect.h"

namespace lockdown {

class Collidable;
class Object;
class Stairs;
class Tile;

class WallPass {
 public:
  // Bins every live collidable; run before the walls' update layer.
  void Begin();
  // The update of one object of the walls' layer.
  void Update(Object* object);

 private:
  using Span = CellSpan;
  struct Entry {
    Collidable* object;
    Span span;
  };
  Span SpanOf(const Rect& box) const;
  void Bin(int entry);
  void Rebin(int entry);
  // Entries binned where the box reaches, in list order, with those meeting every wall.
  void Gather(const Rect& box, bool bWithEveryWall);
  void MeetTile(Tile* tile);
  void MeetStairs(Stairs* stairs);

  std::vector<Entry> entries;
  std::vector<int> everyWall;
  std::vector<std::vector<int>> cells;
  int columns = 0, rows = 0;
  std::vector<int> candidates;
};

}  // namespace lockdown
