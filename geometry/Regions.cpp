#include "geometry/Regions.h"

#include <cmath>
#include <string>
#include <utility>

#include "core/Debug.h"
#include "core/GetParents.h"
#include "presentation/Draw.h"
#include "presentation/View.h"

namespace {
// The row or column of a quotient, truncated toward zero. Values far outside the grid are
// brought near it first, so that a box far away (or of no size) cannot overflow the int.
int truncateIndex(float quotient, int count) {
  if (std::isnan(quotient) || quotient < -2) quotient = -2;
  if (quotient > count + 1) quotient = static_cast<float>(count + 1);
  return static_cast<int>(quotient);
}
}  // namespace

void Regions::setUp(int numRegionRows, int numRegionCols) {
  clear();
  regionRows = numRegionRows;
  regionCols = numRegionCols;
  if (numRegionRows <= 0 || numRegionCols <= 0) {
    recordError("Error: regions need at least one row and column, getType(this):", getType(this));
    return;
  }
  float regionWidth = worldBounds.getWidth() / numRegionCols;
  float regionHeight = worldBounds.getHeight() / numRegionRows;
  // The one-unit margin keeps float steps that end a little short of the far edge from
  // starting another row or column.
  float const left = worldBounds.getLeft();
  float const right = worldBounds.getRight() - 1;
  float const bottom = worldBounds.getBottom() - 1;
  for (float newTop = worldBounds.getTop(); newTop < bottom; newTop += regionHeight) {
    for (float newLeft = left; newLeft < right; newLeft += regionWidth) {
      SingleRegion cell;
      cell.setRect(newLeft, newTop, newLeft + regionWidth, newTop + regionHeight);
      push_back(cell);
      if (newLeft + regionWidth == newLeft) break;
    }
    if (newTop + regionHeight == newTop) break;
  }
}

void Regions::modify(Creatable2d* currObj) {
  allObjects.modify(currObj);
  if (!bAddingObject) {
    for (int i = 0; i < size(); i++) at(i).erase(currObj);
    return;
  }
  // Without cells there is nothing to register in: reading the first cell would run off the
  // empty grid.
  if (size() == 0) {
    recordError("Error: no regions, need to setUp?, getType(this):", getType(this));
    return;
  }
  bounds = currObj->getBounds();
  float regionHeight = at(0).getHeight();
  float regionWidth = at(0).getWidth();
  if (regionHeight == 0 || regionWidth == 0) {
    recordError("Error: Zero dimension in region");
    return;
  }
  float const worldLeft = worldBounds.getLeft();
  float const worldTop = worldBounds.getTop();
  int minR = truncateIndex((bounds.getTop() - worldTop) / regionHeight, regionRows);
  int maxR = truncateIndex((bounds.getBottom() - worldTop) / regionHeight, regionRows);
  int minC = truncateIndex((bounds.getLeft() - worldLeft) / regionWidth, regionCols);
  int maxC = truncateIndex((bounds.getRight() - worldLeft) / regionWidth, regionCols);
  if (maxR < minR) std::swap(minR, maxR);
  if (maxC < minC) std::swap(minC, maxC);
  if (minR >= regionRows || maxR < 0 || minC >= regionCols || maxC < 0) {
    debugFunc("out of bounds");
    return;
  }
  if (minR < 0) minR = 0;
  if (minC < 0) minC = 0;
  if (maxR > regionRows - 1) maxR = regionRows - 1;
  if (maxC > regionCols - 1) maxC = regionCols - 1;
  for (int r = minR; r <= maxR; r++)
    for (int c = minC; c <= maxC; c++) {
      int index = r * regionCols + c;
      if (index < size()) at(index).modify(currObj);
    }
}

void Regions::setObjects(VectorInterface<Creatable2d*>& objects) {
  for (int i = 0; i < size(); i++) at(i).clear();
  bAddingObject = true;
  for (int i = 0; i < objects.size(); i++) modify(objects.at(i));
}

void Regions::getNearby(Rect& testRect, std::vector<Creatable2d*>& objects) {
  for (int i = 0; i < size(); i++) {
    SingleRegion& cell = at(i);
    if (!cell.isRectIn(testRect)) continue;
    for (int j = 0; j < cell.size(); j++) objects.push_back(cell.at(j));
  }
}

void Regions::drawAll() {
  for (int i = 0; i < allObjects.size(); i++) allObjects.at(i)->draw();
}

void Regions::drawNearby(Rect* testRect) {
  for (int i = 0; i < size(); i++) {
    SingleRegion& cell = at(i);
    if (!cell.isRectIn(testRect)) continue;
    cell.setColor("white");
    for (int j = 0; j < cell.size(); j++)
      drawLine(testRect->getCenter(), cell.at(j)->getCenter(), getColor("rand"), true);
  }
}

void Regions::debugDraw(Rect& rect) {
  for (int i = 0; i < size(); i++) {
    SingleRegion& cell = at(i);
    debugFunc("region:", i);
    debugFunc("objects in region:", cell.size());
    for (int j = 0; j < cell.size(); j++) debugFunc("object type:", getType(cell.at(j)));
    if (!cell.isRectIn(rect)) continue;
    cell.setColor("white");
    cell.draw();
  }
}

void Regions::debugDraw() {
  for (int r = 0; r < regionRows; r++)
    for (int c = 0; c < regionCols; c++) {
      int index = r * regionCols + c;
      if (index >= size()) continue;
      SingleRegion& cell = at(index);
      drawLine(cell.getLeft(), cell.getBottom(), cell.getRight(), cell.getBottom(),
               getColor("rand"), true);
      drawLine(cell.getRight(), cell.getTop(), cell.getRight(), cell.getBottom(), getColor("rand"),
               true);
    }
}

void DrawRegions::draw() {
  for (int i = 0; i < size(); i++) {
    SingleRegion& cell = at(i);
    if (!cell.isRectIn(view)) continue;
    for (int j = 0; j < cell.size(); j++) cell.at(j)->draw();
  }
}
