// The modify tool: a rubber band selects editor objects and path nodes; the selection then
// follows the mouse, turns with Ctrl, steps by the grid with the arrow keys, takes a speed
// factor typed after Tab, or is deleted, until the next button press.
#pragma once

#include <vector>

#include "editor/EditorTool.h"
#include "geometry/Point.h"

class SimpleRect;

class ModifyTool : public EditorTool {
 public:
  void process() override;
  void draw() override;
  void enter() override {}
  void exit() override;

  // Where the current band started.
  Point areaPoint;
};

extern ModifyTool modifyTool;
// The selection: editor objects and path nodes, in the order they were added; owns nothing.
extern std::vector<SimpleRect*> objectsInArea;
// Every object of the editor's manager, taken at each band release.
extern std::vector<SimpleRect*> objects;
// The mouse's world position at the previous frame (after a release: the nearest grid point).
extern Point clickPoint;
