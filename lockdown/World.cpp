#include "lockdown/World.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "lockdown/Game.h"
#include "lockdown/Mover.h"
#include "lockdown/Tile.h"

namespace lockdown {

namespace {
struct RegionCell {
  Rect rect;
  std::vector<Object*> walls;
};
std::vector<RegionCell> grid;
int columns = 0, rows = 0;

RegionCell* CellAt(int x, int y) {
  // Points beyond the level have no walls: rays may pass there.
  if (x < 0 || y < 0) return nullptr;
  int cx = x / kRegionSize, cy = y / kRegionSize;
  if (cx >= columns || cy >= rows) return nullptr;
  return &grid[static_cast<size_t>(cy) * columns + cx];
}

Tile* MergeableTile(Object* o) {
  return Live(o) && o->objectType == kTile ? static_cast<Tile*>(o) : nullptr;
}

// One pass: the first pair that can merge does; true when one did.
bool MergeOnce(bool bHorizontal) {
  for (PtrList<Object>::Cursor a(wallList); !a.AtEnd(); a.Next()) {
    Tile* keeper = MergeableTile(a.Current());
    if (!keeper) continue;
    for (PtrList<Object>::Cursor b(wallList); !b.AtEnd(); b.Next()) {
      Tile* other = MergeableTile(b.Current());
      if (!other || other == keeper || other->sprite != keeper->sprite) continue;
      Rect& k = keeper->rect;
      const Rect& o = other->rect;
      if (bHorizontal && o.left == k.right && o.top == k.top && o.bottom == k.bottom) {
        k.right = o.right;
        keeper->bTopEdge = keeper->bTopEdge || other->bTopEdge;
        keeper->bRightEdge = other->bRightEdge;
        keeper->bBottomEdge = keeper->bBottomEdge || other->bBottomEdge;
      } else if (!bHorizontal && o.top == k.bottom && o.left == k.left && o.right == k.right) {
        k.bottom = o.bottom;
        keeper->bLeftEdge = keeper->bLeftEdge || other->bLeftEdge;
        keeper->bRightEdge = keeper->bRightEdge || other->bRightEdge;
        keeper->bBottomEdge = other->bBottomEdge;
      } else {
        continue;
      }
      other->Destroy();
      return true;
    }
  }
  return false;
}
}  // namespace

void MergeTiles() {
  while (MergeOnce(true)) {
  }
  while (MergeOnce(false)) {
  }
}

void SplitTiles() {
  std::vector<Tile*> merged;
  for (PtrList<Object>::Cursor w(wallList); !w.AtEnd(); w.Next()) {
    Tile* tile = MergeableTile(w.Current());
    if (tile && (tile->rect.Width() > 40 || tile->rect.Height() > 40)) merged.push_back(tile);
  }
  for (Tile* tile : merged) {
    const Rect whole = tile->rect;
    for (int y = whole.top; y < whole.bottom; y += 40)
      for (int x = whole.left; x < whole.right; x += 40) {
        if (x == whole.left && y == whole.top) continue;
        Tile* piece = new Tile;
        piece->sprite = tile->sprite;
        piece->rect.Set(x, y, x + 40, y + 40);
        piece->Init();
        objectList.Append(piece);
      }
    tile->rect.Set(whole.left, whole.top, whole.left + 40, whole.top + 40);
  }
}

void ClearRegionGrid() {
  grid.clear();
  columns = rows = 0;
}

void BuildRegionGrid() {
  ClearRegionGrid();
  columns = (game.levelWidth + kRegionSize - 1) / kRegionSize;
  rows = (game.levelHeight + kRegionSize - 1) / kRegionSize;
  grid.resize(static_cast<size_t>(columns) * rows);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) {
      Rect& rect = grid[static_cast<size_t>(r) * columns + c].rect;
      rect.Set(c * kRegionSize, r * kRegionSize, (c + 1) * kRegionSize, (r + 1) * kRegionSize);
    }
  for (PtrList<Object>::Cursor w(wallList); !w.AtEnd(); w.Next()) {
    Object* wall = w.Current();
    if (!Live(wall)) continue;
    Rect box = ObjectBox(wall);
    // Only the cells the wall can touch are visited.
    int c0 = std::max(0, box.left / kRegionSize),
        c1 = std::min(columns - 1, box.right / kRegionSize);
    int r0 = std::max(0, box.top / kRegionSize), r1 = std::min(rows - 1, box.bottom / kRegionSize);
    for (int r = r0; r <= r1; ++r)
      for (int c = c0; c <= c1; ++c) {
        RegionCell& cell = grid[static_cast<size_t>(r) * columns + c];
        if (cell.rect.Overlaps(box)) cell.walls.push_back(wall);
      }
  }
}

void PrepareLevel() {
  MergeTiles();
  BuildRegionGrid();
}

void RemoveFromRegionGrid(const Object* wall) {
  for (RegionCell& cell : grid)
    for (size_t i = 0; i < cell.walls.size();)
      if (cell.walls[i] == wall)
        cell.walls.erase(cell.walls.begin() + static_cast<long>(i));
      else
        ++i;
}

int RegionColumns() { return columns; }
int RegionRows() { return rows; }

int WallsInCellAt(int x, int y) {
  RegionCell* cell = CellAt(x, y);
  return cell ? static_cast<int>(cell->walls.size()) : 0;
}

bool TraceRay(Mover& ray, bool bIncludeStairs, int* distance, Object** hit, double speed) {
  ray.speed = speed < 1 ? 1 : speed;
  int travelled = 0;
  if (hit) *hit = nullptr;
  for (;;) {
    ray.Step();
    travelled += static_cast<int>(speed);
    int px = static_cast<int>(ray.x), py = static_cast<int>(ray.y);
    if (RegionCell* cell = CellAt(px, py)) {
      for (Object* wall : cell->walls) {
        if (!Live(wall) || (!bIncludeStairs && wall->objectType == kStairs)) continue;
        Rect box = ObjectBox(wall);
        // Thin walls are widened so that a ray's long steps cannot jump them.
        if (box.Width() < 40) {
          box.left -= 20;
          box.right += 20;
        }
        if (box.left <= px && px <= box.right && box.top <= py && py <= box.bottom) {
          if (distance) *distance = travelled;
          if (hit) *hit = wall;
          return false;
        }
      }
    }
    if (ray.AtTarget()) {
      if (distance) *distance = travelled;
      return true;
    }
  }
}

bool CanSeeZizuzu(int eyeX, int eyeY, const Rect& area) {
  Object* z = game.zizuzu;
  if (!Live(z) || z->Get("bDead") != 0) return false;
  double half = z->Get("width") / 2, zx = z->Get("x"), zy = z->Get("y");
  double ax = zx, ay = zy;
  if (eyeX < zx - half)
    ax = z->Get("left");
  else if (eyeX > zx + half)
    ax = z->Get("right");
  if (eyeY < zy - half)
    ay = z->Get("top");
  else if (eyeY > zy + half)
    ay = z->Get("bottom");
  int aimX = static_cast<int>(ax), aimY = static_cast<int>(ay);
  if (!area.Contains(aimX, aimY)) return false;
  Mover ray(eyeX, eyeY, aimX, aimY);
  return TraceRay(ray, false);
}

bool IsSpaceFree(const Rect& rect, int dx, bool bCountStairs) {
  Rect moved = rect;
  moved.Offset(dx, -1);
  for (PtrList<Object>::Cursor w(wallList); !w.AtEnd(); w.Next()) {
    Object* wall = w.Current();
    if (!Live(wall) || (!bCountStairs && wall->objectType == kStairs)) continue;
    if (moved.Overlaps(ObjectBox(wall))) return false;
  }
  return true;
}

Rect ObjectBox(Object* object) {
  Rect box(static_cast<int>(object->Get("left")), static_cast<int>(object->Get("right")),
           static_cast<int>(object->Get("top")), static_cast<int>(object->Get("bottom")));
  return box;
}

void FindAllEdges() {
  for (PtrList<Object>::Cursor w(wallList); !w.AtEnd(); w.Next())
    if (Live(w.Current())) w.Current()->Set("FindEdges", 0);
}

}  // namespace lockdown
