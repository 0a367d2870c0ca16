// The tile grid: three by three cells from the origin, each listing the wall tiles that touch
// it, with a point query that feeds the collision results; and the merging of neighbouring
// wall tiles into larger ones. Written over the tile class, which needs isPtIn(x, y),
// isCollision(Rect&), the edges, setRightIndep and setBottomIndep, and the exposed-side flags
// bTopEdge, bRightEdge and bBottomEdge.
#pragma once

#include "core/Debug.h"
#include "core/TypedLists.h"
#include "core/VectorUtils.h"
#include "geometry/Collisions.h"
#include "geometry/Rect.h"

template <class T>
class TileRegionOf : public VectorInterface<T*>, public Rect {
 public:
  bool isRectIn(Rect& rect) { return isCollision(rect); }
  bool isTileIn(T* tile) { return tile->isCollision(*this); }
};

// Cell is the class of one cell: the game names its own, so that run-time names stay plain.
template <class T, class Cell = TileRegionOf<T>>
class TileRegionsOf : public VectorInterface<Cell> {
 public:
  // Cells of a third of the bounds' width and height, laid from the origin up to the bounds'
  // right and bottom edges, filled with the tiles that touch them.
  void setUpRegions(Rect& bounds, VectorInterface<T*>& tiles);
  // The same over the level's wall tiles.
  void setUpRegions(Rect& bounds) { this->setUpRegions(bounds, allTiles); }
  void addTile(T* tile) {
    for (int i = 0; i < this->size(); i++)
      if (this->at(i).isTileIn(tile)) this->at(i).push_back(tile);
  }
  // For each cell touching testRect, the first of its tiles that holds testRect's centre is
  // appended to collideTestResults, which is not emptied first.
  void checkCollision(Rect& testRect);
};

template <class T, class Cell>
void TileRegionsOf<T, Cell>::setUpRegions(Rect& bounds, VectorInterface<T*>& tiles) {
  this->clear();
  float regionWidth = bounds.getWidth() / 3;
  float regionHeight = bounds.getHeight() / 3;
  // A cell of no size would never step across the bounds.
  if (!(regionWidth > 0 && regionHeight > 0)) {
    recordError("Error: Zero dimension in tile regions");
    return;
  }
  Cell cell;
  cell.setRect(0, 0, regionWidth, regionHeight);
  float const right = bounds.getRight();
  float const bottom = bounds.getBottom();
  for (float newTop = 0; newTop < bottom; newTop += regionHeight) {
    for (float newLeft = 0; newLeft < right; newLeft += regionWidth) {
      cell.setLeft(newLeft);
      cell.setTop(newTop);
      this->push_back(cell);
      if (newLeft + regionWidth == newLeft) break;
    }
    if (newTop + regionHeight == newTop) break;
  }
  for (int i = 0; i < tiles.size(); i++) addTile(tiles.at(i));
}

template <class T, class Cell>
void TileRegionsOf<T, Cell>::checkCollision(Rect& testRect) {
  float x = testRect.getXCenter();
  float y = testRect.getYCenter();
  for (int i = 0; i < this->size(); i++) {
    Cell& cell = this->at(i);
    if (!cell.isRectIn(testRect)) continue;
    for (int j = 0; j < cell.size(); j++) {
      if (cell.at(j)->isPtIn(x, y)) {
        collideTestResults.push_back(cell.at(j));
        break;
      }
    }
  }
}

namespace tile_merge_detail {
template <class T>
void mergeFlags(T* a, T* b) {
  if (b->bRightEdge) a->bRightEdge = true;
  if (b->bTopEdge) a->bTopEdge = true;
  if (b->bBottomEdge) a->bBottomEdge = true;
}

// One phase: full scans until one merges nothing. A merged tile leaves the list before it is
// handed to deleteTile, and a tile is never merged with itself.
template <class T, class Fits, class Grow, class Delete>
void mergePhase(VectorInterface<T*>& tiles, Fits fits, Grow grow, Delete deleteTile) {
  bool bMerged = true;
  while (bMerged) {
    bMerged = false;
    for (int a = 0; a < tiles.size(); a++) {
      T* tileA = tiles.at(a);
      for (int b = 0; b < tiles.size();) {
        T* tileB = tiles.at(b);
        if (tileB == tileA || !fits(tileA, tileB)) {
          b++;
          continue;
        }
        grow(tileA, tileB);
        mergeFlags(tileA, tileB);
        tiles.eraseAt(b);
        deleteTile(tileB);
        bMerged = true;
      }
    }
  }
}
}  // namespace tile_merge_detail

// Merges neighbouring tiles: first into horizontal strips (a tile whose left edge is another's
// right edge at the same top), then strips of equal width into rectangles (a tile right below
// another, with the same left and right edges). Exact float comparisons, as tiles lie on a grid.
template <class T, class Delete>
void mergeTiles(VectorInterface<T*>& tiles, Delete deleteTile) {
  tile_merge_detail::mergePhase(
      tiles, [](T* a, T* b) { return b->getLeft() == a->getRight() && b->getTop() == a->getTop(); },
      [](T* a, T* b) { a->setRightIndep(a->getRight() + (b->getRight() - b->getLeft())); },
      deleteTile);
  tile_merge_detail::mergePhase(
      tiles,
      [](T* a, T* b) {
        return b->getTop() == a->getBottom() && b->getLeft() == a->getLeft() &&
               b->getRight() == a->getRight();
      },
      [](T* a, T* b) { a->setBottomIndep(a->getBottom() + (b->getBottom() - b->getTop())); },
      deleteTile);
}
