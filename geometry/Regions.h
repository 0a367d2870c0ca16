// Region grids: the level bounds cut into a small uniform grid of cells, each listing the
// objects whose bounding box reaches into it, so that objects near a rectangle can be found,
// or only those in view drawn, without scanning every object.
#pragma once

#include <vector>

#include "core/Creatable.h"
#include "core/ObjectVector.h"
#include "geometry/Rect.h"

constexpr int NUM_REGION_ROWS = 3;
constexpr int NUM_REGION_COLS = 3;

// One cell: its objects, in the order they were added, and its rectangle.
class SingleRegion : public ObjectVector<Creatable2d*>, public Rect {
 public:
  bool isRectIn(Rect& rect) { return isCollision(rect); }
  bool isRectIn(Rect* rect) { return isCollision(rect); }
};

// The cells row by row from the top, each row from left to right.
class Regions : public VectorInterface<SingleRegion> {
 public:
  Regions() : regionRows(0), regionCols(0) {}

  // Lays out the cells anew over the level bounds; registered objects stay in allObjects.
  void setUp(int numRegionRows, int numRegionCols);
  // Registers the object in every cell its bounding box reaches when bAddingObject is set,
  // unregisters it otherwise.
  void modify(Creatable2d* currObj);
  void setObjects(VectorInterface<Creatable2d*>& objects);
  // Appends the objects of every cell touching testRect, once per cell.
  void getNearby(Rect& testRect, std::vector<Creatable2d*>& objects);
  void getObjectsNearRect(Rect& rect, std::vector<Creatable2d*>& objects) {
    getNearby(rect, objects);
  }
  ObjectVector<Creatable2d*>& getAll() { return allObjects; }
  void drawAll();
  void drawNearby(Rect* testRect);
  void debugDraw(Rect& rect);
  void debugDraw();
  int getRows() const { return regionRows; }
  int getCols() const { return regionCols; }

 protected:
  int regionRows;
  int regionCols;
  // Every registered object, once per registration.
  ObjectVector<Creatable2d*> allObjects;
  // The bounding box of the object last added.
  Rect bounds;
};

class DrawRegions : public Regions {
 public:
  // Draws the objects of the cells in the camera's view, once per such cell.
  void draw();
};
