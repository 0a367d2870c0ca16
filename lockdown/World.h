// The world queries the machines use (sight of the zizuzu, rays that stop at walls, free
// space ahead) and the region grid of walls that makes rays cheap. Level preparation
// merges runs of equal tiles into single walls before the grid is built.
#pragma once

#include <cstdint>
#include <unordered_set>

#include "lockdown/Rect.h"

namespace lockdown {

class Mover;
class Object;

constexpr int kRegionSize = 160;

// True for objects still in play this frame.
inline bool Live(const Object* o);

// Merges tiles, then builds the region grid; run whenever play takes over a level.
void PrepareLevel();
void MergeTiles();
// Splits every merged wall back into the 40 by 40 tiles it was made of (for the editor,
// which places on single tiles).
void SplitTiles();
void BuildRegionGrid();
// How many times the region grid was built: walls move (in the editor) only between builds.
unsigned RegionGridBuilds();
void ClearRegionGrid();
// Takes a wall out of every cell that holds it (walls leaving play).
void RemoveFromRegionGrid(const Object* wall);
int RegionColumns();
int RegionRows();
// Walls in the cell under a level point; 0 outside the grid.
int WallsInCellAt(int x, int y);

// Steps the mover toward its target at `speed` steps per call; true when it arrives,
// false when its point lies in a wall first (the wall in *hit when asked).
bool TraceRay(Mover& ray, bool bIncludeStairs, int* distance = nullptr, Object** hit = nullptr,
              double speed = 20.0);
bool CanSeeZizuzu(int eyeX, int eyeY, const Rect& area);
// The rectangle moved by (dx, -1) overlaps no wall (stairs count only when asked).
bool IsSpaceFree(const Rect& rect, int dx, bool bCountStairs = false);
Rect ObjectBox(Object* object);
void FindAllEdges();

// The top-left corners of walls, for finding edges without a walk over every wall.
using WallCorners = std::unordered_set<int64_t>;
inline int64_t CornerKey(int left, int top) {
  return static_cast<int64_t>(left) * (int64_t{1} << 32) + static_cast<uint32_t>(top);
}

}  // namespace lockdown

#include "lockdown/Object.h"

namespace lockdown {
inline bool Live(const Object* o) { return o && !o->bDestroyed; }
}  // namespace lockdown
