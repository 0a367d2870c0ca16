#include "lockdown/WallPass.h"

#include <algorithm>
#include <typeinfo>

#include "lockdown/Game.h"
#include "lockdown/Object.h"
#include "lockdown/Tile.h"
#include "lockdown/World.h"

namespace lockdown {

namespace {
constexpr int kCellShift = 7;  // cells of 128 by 128 pixels
}  // namespace

WallPass::Span WallPass::SpanOf(const Rect& box) const {
  return CellSpanOf(box, columns, rows, kCellShift);
}

void WallPass::Begin() {
  for (const Entry& e : entries)
    for (int r = e.span.r0; r <= e.span.r1; ++r)
      for (int c = e.span.c0; c <= e.span.c1; ++c)
        cells[static_cast<size_t>(r) * columns + c].clear();
  entries.clear();
  everyWall.clear();
  int newColumns = std::max(1, (game.levelWidth >> kCellShift) + 1);
  int newRows = std::max(1, (game.levelHeight >> kCellShift) + 1);
  if (newColumns != columns || newRows != rows) {
    columns = newColumns;
    rows = newRows;
    cells.assign(static_cast<size_t>(columns) * rows, {});
  }
  for (PtrList<Object>::Cursor c(collidableList); !c.AtEnd(); c.Next()) {
    // Nothing comes alive during the pass, so the dead need no place in it.
    if (!Live(c.Current())) continue;
    Collidable* object = static_cast<Collidable*>(c.Current());
    entries.push_back({object, Span()});
    int entry = static_cast<int>(entries.size()) - 1;
    if (object->MeetsEveryWall()) everyWall.push_back(entry);
    Bin(entry);
  }
}

void WallPass::Bin(int entry) {
  Entry& e = entries[entry];
  e.span = SpanOf(e.object->Reach());
  for (int r = e.span.r0; r <= e.span.r1; ++r)
    for (int c = e.span.c0; c <= e.span.c1; ++c)
      cells[static_cast<size_t>(r) * columns + c].push_back(entry);
}

void WallPass::Rebin(int entry) {
  Entry& e = entries[entry];
  if (SpanOf(e.object->Reach()) == e.span) return;
  for (int r = e.span.r0; r <= e.span.r1; ++r)
    for (int c = e.span.c0; c <= e.span.c1; ++c) {
      std::vector<int>& cell = cells[static_cast<size_t>(r) * columns + c];
      cell.erase(std::find(cell.begin(), cell.end(), entry));
    }
  Bin(entry);
}

void WallPass::Gather(const Rect& box, bool bWithEveryWall) {
  candidates.clear();
  Span s = SpanOf(box);
  for (int r = s.r0; r <= s.r1; ++r)
    for (int c = s.c0; c <= s.c1; ++c) {
      const std::vector<int>& cell = cells[static_cast<size_t>(r) * columns + c];
      candidates.insert(candidates.end(), cell.begin(), cell.end());
    }
  if (bWithEveryWall) candidates.insert(candidates.end(), everyWall.begin(), everyWall.end());
  if (candidates.size() > 1) {
    // Entries are numbered in list order.
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
  }
}

void WallPass::MeetTile(Tile* tile) {
  Gather(tile->rect, true);
  for (int entry : candidates) {
    Collidable* object = entries[entry].object;
    if (!Live(object) || object == static_cast<Object*>(tile)) continue;
    if (object->Clears(tile->rect))
      object->PassWall(tile);
    else
      object->CollideTest(tile);
    Rebin(entry);
  }
}

void WallPass::MeetStairs(Stairs* stairs) {
  Gather(stairs->rect, false);
  for (int entry : candidates) {
    Object* object = entries[entry].object;
    if (!Live(object)) continue;
    stairs->Land(object);
    Rebin(entry);
  }
}

void WallPass::Update(Object* object) {
  // Only the updates known here; a class of another kind, or one derived from these, runs
  // its own.
  const std::type_info& type = typeid(*object);
  if (type == typeid(Tile)) {
    MeetTile(static_cast<Tile*>(object));
  } else if (type == typeid(Stairs)) {
    MeetStairs(static_cast<Stairs*>(object));
  } else {
    // Anything else may move anything.
    object->Update();
    Begin();
  }
}

}  // namespace lockdown
