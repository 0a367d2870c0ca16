#include "editor/SnapGrid.h"

#include <cmath>

#include "core/Debug.h"
#include "presentation/Colors.h"
#include "presentation/Draw.h"
#include "presentation/View.h"

float gridGap = 100.0f;
std::string gridColor = "white";
std::vector<Point> grid;

void setGridGap(float value) { gridGap = value; }

float getGridGap() { return gridGap; }

void setGridColor(std::string const& name) { gridColor = name; }

namespace {
// A camera zoomed far out, or a tiny spacing from the data, would ask for more points than the
// editor can lay every frame while Shift is held, and far from 0 adding the spacing no longer
// moves a float, so the stepping would never end. Beyond this many steps no grid is laid.
double const maxGridSteps = 1e6;

// The first grid line at or inside the edge when it lies above 0, at or outside it below 0.
float firstLine(float edge) {
  float line = 0.0f;
  // A spacing of 0 or less would never reach the edge.
  if (!(gridGap > 0)) return line;
  if (line < edge) {
    while (line < edge) line += gridGap;
  } else {
    while (line > edge) line -= gridGap;
  }
  return line;
}
}  // namespace

void createGrid() {
  grid.clear();
  if (!(gridGap > 0)) {
    recordError("Error: grid gap must be above 0:", gridGap);
    return;
  }
  float const left = view.getLeft(), top = view.getTop();
  float const right = view.getRight(), bottom = view.getBottom();
  double const stepsToCorner = (std::fabs(left) + std::fabs(top)) / gridGap;
  double const points = (static_cast<double>(right - left) / gridGap + 1) *
                        (static_cast<double>(bottom - top) / gridGap + 1);
  if (!std::isfinite(stepsToCorner) || !std::isfinite(points) || stepsToCorner > maxGridSteps ||
      points > maxGridSteps) {
    recordError("Error: too many grid points for the camera, spacing:", gridGap);
    return;
  }
  float const firstX = firstLine(left), firstY = firstLine(top);
  for (float x = firstX; x < right; x += gridGap)
    for (float y = firstY; y < bottom; y += gridGap) grid.push_back(Point(x, y));
}

Point getNearestGridPoint(Point const& p) {
  if (grid.empty()) {
    recordError("Error: no grid points in getNearestPointOnGrid");
    return p;
  }
  size_t nearest = 0;
  float leastDist = dist(grid[0], p);
  for (size_t i = 1; i < grid.size(); i++) {
    float d = dist(grid[i], p);
    if (d < leastDist) {
      leastDist = d;
      nearest = i;
    }
  }
  return grid[nearest];
}

void drawGrid() {
  Color const color = getColor(gridColor);
  for (size_t i = 0; i < grid.size(); i++) drawPixel(grid[i], color);
}
