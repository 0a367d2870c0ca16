// The snap grid: a square lattice of world points over the camera rectangle. Shift snaps the
// editor's mouse to it, the fence and path tools place on it, the modify tool steps by it.
#pragma once

#include <string>
#include <vector>

#include "geometry/Point.h"

// Spacing in world units; the data key "grid_gap" sets it.
extern float gridGap;
// Colour name of the drawn grid; the data key "grid_color" sets it.
extern std::string gridColor;
// The points covering the camera as the grid was last built, column by column.
extern std::vector<Point> grid;

void setGridGap(float value);
float getGridGap();
void setGridColor(std::string const& name);

// Rebuilds the grid over the camera rectangle.
void createGrid();
// The nearest point of the grid as last built; the earlier point wins a tie. With no grid
// points the given point comes back unsnapped.
Point getNearestGridPoint(Point const& p);
void drawGrid();
