// The cells of a grid of square cells, 1 << shift pixels wide, that a box reaches: the
// binning shared by the grids that narrow lockdown's scans.
#pragma once

#include <algorithm>

#include "lockdown/Rect.h"

namespace lockdown {

struct CellSpan {
  int c0 = 0, c1 = -1, r0 = 0, r1 = -1;
  bool operator==(const CellSpan& o) const {
    return c0 == o.c0 && c1 == o.c1 && r0 == o.r0 && r1 == o.r1;
  }
};

// Cells beyond the grid's edges fold onto its edge cells: two boxes that share a point still
// share a cell, so the grid may be smaller than the world.
inline int CellOf(int v, int count, int shift) {
  int c = v < 0 ? 0 : v >> shift;
  return c < count ? c : count - 1;
}

// Edges included and in either order: a box whose edges cross still reaches its cells, and
// any point inside the box lies in one of them.
inline CellSpan CellSpanOf(const Rect& box, int columns, int rows, int shift) {
  CellSpan s;
  s.c0 = CellOf(std::min(box.left, box.right), columns, shift);
  s.c1 = CellOf(std::max(box.left, box.right), columns, shift);
  s.r0 = CellOf(std::min(box.top, box.bottom), rows, shift);
  s.r1 = CellOf(std::max(box.top, box.bottom), rows, shift);
  return s;
}

}  // namespace lockdown
