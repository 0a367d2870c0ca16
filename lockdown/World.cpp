#include "lockdown/World.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "lockdown/Game.h"
#include "lockdown/Mover.h"
#include "lockdown/ReferenceSwitches.h"
#include "lockdown/Tile.h"

namespace lockdown {

namespace {
struct RegionCell {
  Rect rect;
  std::vector<Object*> walls;
};
std::vector<RegionCell> grid;
int columns = 0, rows = 0;
// Walls the grid alone cannot answer for: doors (they open and close), and walls reaching
// beyond the grid or with no inside. IsSpaceFree asks them all, and the grid for the rest.
std::vector<Object*> looseWalls;
// Walls appended since the grid was built make it incomplete.
unsigned wallAppendsAtBuild = 0;
unsigned builds = 0;

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

bool CanAbsorb(const Tile* keeper, const Tile* other, bool bHorizontal) {
  const Rect& k = keeper->rect;
  const Rect& o = other->rect;
  if (other == keeper || other->sprite != keeper->sprite) return false;
  if (bHorizontal) return o.left == k.right && o.top == k.top && o.bottom == k.bottom;
  return o.top == k.bottom && o.left == k.left && o.right == k.right;
}

// The keeper grows over the other tile, which leaves play.
void Absorb(Tile* keeper, Tile* other, bool bHorizontal) {
  if (bHorizontal) {
    keeper->rect.right = other->rect.right;
    keeper->bTopEdge = keeper->bTopEdge || other->bTopEdge;
    keeper->bRightEdge = other->bRightEdge;
    keeper->bBottomEdge = keeper->bBottomEdge || other->bBottomEdge;
  } else {
    keeper->rect.bottom = other->rect.bottom;
    keeper->bLeftEdge = keeper->bLeftEdge || other->bLeftEdge;
    keeper->bRightEdge = keeper->bRightEdge || other->bRightEdge;
    keeper->bBottomEdge = other->bBottomEdge;
  }
  other->Destroy();
}

// One pass of the plain rule: the first pair that can merge does; true when one did.
bool MergeOnce(bool bHorizontal) {
  for (PtrList<Object>::Cursor a(wallList); !a.AtEnd(); a.Next()) {
    Tile* keeper = MergeableTile(a.Current());
    if (!keeper) continue;
    for (PtrList<Object>::Cursor b(wallList); !b.AtEnd(); b.Next()) {
      Tile* other = MergeableTile(b.Current());
      if (!other || !CanAbsorb(keeper, other, bHorizontal)) continue;
      Absorb(keeper, other, bHorizontal);
      return true;
    }
  }
  return false;
}

// The same merges in the same order, found through a map instead of rescans. Within one
// direction a tile's partners are fixed by its own far edge alone (the near edges of the
// others never change, and partners only leave), so a tile that has none when the plain
// rule's restart reaches it never gets one: the restart always lands on the tile that
// merged last or a later one, and one walk down the list with a map from edges to tiles
// does the same work.
struct EdgeKey {
  int a, b, c, sprite;
  bool operator<(const EdgeKey& o) const {
    if (a != o.a) return a < o.a;
    if (b != o.b) return b < o.b;
    if (c != o.c) return c < o.c;
    return sprite < o.sprite;
  }
};

// Where another tile must start for this one to absorb it.
EdgeKey FarKey(const Tile* t, bool bHorizontal) {
  const Rect& r = t->rect;
  return bHorizontal ? EdgeKey{r.right, r.top, r.bottom, t->sprite}
                     : EdgeKey{r.bottom, r.left, r.right, t->sprite};
}
EdgeKey NearKey(const Tile* t, bool bHorizontal) {
  const Rect& r = t->rect;
  return bHorizontal ? EdgeKey{r.left, r.top, r.bottom, t->sprite}
                     : EdgeKey{r.top, r.left, r.right, t->sprite};
}

void MergeAlongList(bool bHorizontal) {
  // Tiles sorted by their near edge, and in list order among equal edges.
  struct Entry {
    EdgeKey key;
    int order;
    Tile* tile;
  };
  std::vector<Entry> byNearEdge;
  byNearEdge.reserve(static_cast<size_t>(wallList.Count()));
  int order = 0;
  for (PtrList<Object>::Cursor w(wallList); !w.AtEnd(); w.Next())
    if (Tile* t = MergeableTile(w.Current()))
      byNearEdge.push_back({NearKey(t, bHorizontal), order++, t});
  std::sort(byNearEdge.begin(), byNearEdge.end(), [](const Entry& x, const Entry& y) {
    return x.key < y.key || (!(y.key < x.key) && x.order < y.order);
  });
  // Absorbed tiles leave the wall list at once, so the walk never meets them.
  for (PtrList<Object>::Cursor a(wallList); !a.AtEnd(); a.Next()) {
    Tile* keeper = MergeableTile(a.Current());
    if (!keeper) continue;
    for (;;) {
      EdgeKey far = FarKey(keeper, bHorizontal);
      auto e = std::lower_bound(byNearEdge.begin(), byNearEdge.end(), far,
                                [](const Entry& x, const EdgeKey& k) { return x.key < k; });
      Tile* other = nullptr;
      for (; e != byNearEdge.end() && !(far < e->key); ++e)
        if (e->tile && CanAbsorb(keeper, e->tile, bHorizontal)) {
          other = e->tile;
          e->tile = nullptr;
          break;
        }
      if (!other) break;
      Absorb(keeper, other, bHorizontal);
    }
  }
}
}  // namespace

bool bFullScans = false;

void MergeTiles() {
  if (bFullScans) {
    while (MergeOnce(true)) {
    }
    while (MergeOnce(false)) {
    }
    return;
  }
  MergeAlongList(true);
  MergeAlongList(false);
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
  looseWalls.clear();
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
    bool bInside = box.left >= 0 && box.top >= 0 && box.right <= columns * kRegionSize &&
                   box.bottom <= rows * kRegionSize && box.left < box.right && box.top < box.bottom;
    if (!bInside || (wall->objectType != kTile && wall->objectType != kStairs))
      looseWalls.push_back(wall);
  }
  wallAppendsAtBuild = wallList.Appends();
  ++builds;
}

unsigned RegionGridBuilds() { return builds; }

void PrepareLevel() {
  // The grid is built again below; emptied first, merged tiles need not leave its cells.
  ClearRegionGrid();
  MergeTiles();
  BuildRegionGrid();
}

void RemoveFromRegionGrid(const Object* wall) {
  looseWalls.erase(std::remove(looseWalls.begin(), looseWalls.end(), wall), looseWalls.end());
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

namespace {
bool Blocks(Object* wall, const Rect& moved, bool bCountStairs) {
  if (!Live(wall) || (!bCountStairs && wall->objectType == kStairs)) return false;
  return moved.Overlaps(ObjectBox(wall));
}
}  // namespace

bool IsSpaceFree(const Rect& rect, int dx, bool bCountStairs) {
  Rect moved = rect;
  moved.Offset(dx, -1);
  // A tile or stairs inside the grid that the box overlaps shares a point with it, and so
  // lies in the cell of that point; every other wall is loose and asked directly.
  bool bGridAnswers = !bFullScans && columns > 0 && wallList.Appends() == wallAppendsAtBuild &&
                      moved.left < moved.right && moved.top < moved.bottom;
  if (!bGridAnswers) {
    for (PtrList<Object>::Cursor w(wallList); !w.AtEnd(); w.Next())
      if (Blocks(w.Current(), moved, bCountStairs)) return false;
    return true;
  }
  int c0 = std::max(0, moved.left / kRegionSize), r0 = std::max(0, moved.top / kRegionSize);
  int c1 = std::min(columns - 1, (moved.right - 1) / kRegionSize),
      r1 = std::min(rows - 1, (moved.bottom - 1) / kRegionSize);
  for (int r = r0; r <= r1; ++r)
    for (int c = c0; c <= c1; ++c)
      for (Object* wall : grid[static_cast<size_t>(r) * columns + c].walls)
        if (Blocks(wall, moved, bCountStairs)) return false;
  for (Object* wall : looseWalls)
    if (Blocks(wall, moved, bCountStairs)) return false;
  return true;
}

Rect ObjectBox(Object* object) {
  // The same four edges, without four look-ups by name.
  if (!bFullScans && object->AnswersBoxEdges()) return object->Box();
  Rect box(static_cast<int>(object->Get("left")), static_cast<int>(object->Get("right")),
           static_cast<int>(object->Get("top")), static_cast<int>(object->Get("bottom")));
  return box;
}

void FindAllEdges() {
  if (bFullScans) {
    for (PtrList<Object>::Cursor w(wallList); !w.AtEnd(); w.Next())
      if (Live(w.Current())) w.Current()->Set("FindEdges", 0);
    return;
  }
  // Finding edges moves no wall, so the corners of the walls are gathered once.
  WallCorners corners;
  for (PtrList<Object>::Cursor w(wallList); !w.AtEnd(); w.Next()) {
    Object* wall = w.Current();
    if (Live(wall) && wall->objectType != kStairs)
      corners.insert(
          CornerKey(static_cast<int>(wall->Get("left")), static_cast<int>(wall->Get("top"))));
  }
  for (PtrList<Object>::Cursor w(wallList); !w.AtEnd(); w.Next()) {
    Object* wall = w.Current();
    if (!Live(wall)) continue;
    if (wall->objectType == kTile || wall->objectType == kStairs)
      static_cast<Tile*>(wall)->FindEdges(&corners);
    else
      wall->Set("FindEdges", 0);
  }
}

}  // namespace lockdown
