// The path tool: edits the path graph of one object, an enemy ship or a fence post. Clicks
// place, link and select nodes; digit keys set the speed factor of the node under the mouse;
// Delete removes the selected node, or the whole object when its first node is selected. It
// is always a temporary tool.
#pragma once

#include "editor/EditorTool.h"
#include "geometry/Point.h"

class PathFollower;
class PathNode;

class PathTool : public EditorTool {
 public:
  PathTool() : bPlaceAsArrow(false) {}

  void process() override;
  void draw() override;
  void drawMouse() override;
  void enter() override;
  void exit() override;
  void handleLeftClick() override;
  void handleRightClick() override;

  // A new node of the path at the point, selected unless it is an arrow.
  PathNode* placeNode(Point const& center);

  // The next node placed is an arrow: the end of the path.
  bool bPlaceAsArrow;
};

extern PathTool pathTool;
// The object whose path is edited; null when none.
extern PathFollower* pathObject;
// Pick radius for nodes.
extern float pathNearDist;

void setPathObject(PathFollower* obj);
// The node of the path object's path nearest the mouse within pathNearDist, else null.
PathNode* getNearestPathNode();
