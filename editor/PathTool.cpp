#include "editor/PathTool.h"

#include <SDL.h>

#include "core/Debug.h"
#include "editor/Editor.h"
#include "editor/HoloDisplayTool.h"
#include "editor/SnapGrid.h"
#include "geometry/Collisions.h"
#include "geometry/PathFollower.h"
#include "geometry/PathNode.h"
#include "presentation/Draw.h"
#include "presentation/Keyboard.h"
#include "presentation/Mouse.h"

PathTool pathTool;
PathFollower* pathObject = nullptr;
float pathNearDist = 100.0f;

void setPathObject(PathFollower* obj) { pathObject = obj; }

PathNode* getNearestPathNode() {
  if (!pathObject) return nullptr;
  return getNearest(pathObject->getPathRef().getVect(), getMousePoint(), pathNearDist);
}

namespace {
// The mouse point, on the grid as last built while Shift is held.
Point placementPoint() {
  Point p = getMousePoint();
  if (modKey(KMOD_SHIFT)) p = getNearestGridPoint(p);
  return p;
}

// The selection must be a node of the path being edited: linked to a node of another path, it
// would be left dangling when either object is deleted, since a follower deletes its nodes
// without unlinking them. A path object handed over without leaving the tool drops it.
void dropForeignSelection() {
  if (!selectedPathNode) return;
  if (pathObject) {
    VectorInterface<PathNode*>& path = pathObject->getPathRef();
    for (int i = 0; i < path.size(); i++)
      if (path.at(i) == selectedPathNode) return;
  }
  selectedPathNode = nullptr;
}
}  // namespace

void PathTool::enter() {
  if (!pathObject) {
    // Without an object there is no path to edit; the tool waits for a key to leave it.
    recordError("Error: path object not set on entering path tool");
    return;
  }
  if (pathObject->getPathSize() == 0) placeNode(pathObject->getCenter());
  bPlaceAsArrow = false;
}

void PathTool::exit() { selectedPathNode = nullptr; }

PathNode* PathTool::placeNode(Point const& center) {
  if (!pathObject) return nullptr;
  PathNode* node = new PathNode(center, bPlaceAsArrow);
  node->setNodeId();
  pathObject->addToPath(node);
  selectedPathNode = node;
  if (bPlaceAsArrow) {
    bPlaceAsArrow = false;
    selectedPathNode = nullptr;
  }
  return node;
}

void PathTool::handleLeftClick() {
  dropForeignSelection();
  if (!pathObject) return;
  // No node is selected after an arrow was placed: a click then selects the node near it, and
  // in empty space does nothing. That is the designer's ordinary way, not an error.
  PathNode* nearest = getNearestPathNode();
  if (!selectedPathNode) {
    if (nearest) selectedPathNode = nearest;
    return;
  }
  if (nearest && !modKey(KMOD_CTRL)) {
    if (nearest != selectedPathNode) selectedPathNode->connectTo(nearest);
    return;
  }
  PathNode* previous = selectedPathNode;
  PathNode* node = placeNode(placementPoint());
  previous->connectTo(node);
}

void PathTool::handleRightClick() { bPlaceAsArrow = !bPlaceAsArrow; }

void PathTool::process() {
  dropForeignSelection();
  if (!pathObject) return;
  if (justPressed(SDLK_DELETE)) {
    if (pathObject->getPathSize() > 0 && pathObject->getFirstNode() == selectedPathNode) {
      Creatable2d* object = dynamic_cast<Creatable2d*>(pathObject);
      pathObject = nullptr;
      selectedPathNode = nullptr;
      deleteEditorObject(object);
      switchEditorTool(&holoDisplayTool, false);
      return;
    }
    if (selectedPathNode) {
      pathObject->deleteNode(selectedPathNode);
      selectedPathNode = nullptr;
    }
  }

  PathNode* nearest = getNearestPathNode();
  if (!nearest) return;
  if (justPressed('`')) {
    nearest->setSpeedMult(0.0f);
  } else if (justPressed('0')) {
    nearest->setSpeedMult(1.0f);
  } else {
    for (int digit = 1; digit <= 9; digit++)
      if (justPressed('0' + digit)) nearest->setSpeedMult(static_cast<float>(digit * 0.1));
  }
}

void PathTool::draw() {
  if (pathObject) drawNodeMap(pathObject->getPathRef());
}

void PathTool::drawMouse() {
  PathNode* nearest = getNearestPathNode();
  if (nearest && !modKey(KMOD_CTRL)) {
    if (nearest != selectedPathNode && selectedPathNode)
      drawLine(selectedPathNode->getCenter(), nearest->getCenter(), "yellow");
    nearest->drawHighlighted();
    mouse.draw();
  } else if (!selectedPathNode) {
    mouse.draw();
  } else {
    drawLine(selectedPathNode->getCenter(), getMousePoint(), "yellow");
    PathNode preview(getMousePoint(), bPlaceAsArrow);
    preview.draw();
  }
  if (selectedPathNode) selectedPathNode->drawSelected();
}
