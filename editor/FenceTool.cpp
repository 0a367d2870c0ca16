#include "editor/FenceTool.h"

#include <SDL.h>

#include "core/GetParents.h"
#include "core/TypedLists.h"
#include "editor/Editor.h"
#include "editor/PathTool.h"
#include "editor/SnapGrid.h"
#include "game/Fence.h"
#include "game/FenceNode.h"
#include "presentation/Keyboard.h"
#include "presentation/Mouse.h"

FenceTool fenceTool;
FenceNode* selectedNode = nullptr;

namespace {
// The editor object nearest the mouse when it is a fence post, else null.
FenceNode* getNearestFenceNode() {
  Editable* nearest = getNearestEditable();
  if (!nearest || !isOfType(nearest, "FenceNode")) return nullptr;
  return dynamic_cast<FenceNode*>(nearest);
}

// A rectangle twice the object's size around it.
void drawMark(Editable* object, char const* colorName) {
  float const cx = object->getXCenter(), cy = object->getYCenter();
  float const w = object->getWidth(), h = object->getHeight();
  Rect mark(cx - w, cy - h, cx + w, cy + h);
  mark.setColors(colorName);
  mark.bFilled = false;
  mark.draw();
}

void drawPreviewFence(Point const& a, Point const& b) {
  Fence preview(a, b);
  preview.draw();
}
}  // namespace

FenceNode* FenceTool::placeNode(Point const& center) {
  FenceNode* node = new FenceNode();
  node->setNodeId();
  node->loadDefaultFrames();
  node->setCenter(center);
  editObjMan.newObject(node);
  return node;
}

void FenceTool::handleLeftClick() {
  FenceNode* nearest = getNearestFenceNode();
  if (nearest) {
    if (!selectedNode)
      selectedNode = nearest;
    else if (nearest != selectedNode)
      selectedNode->connectTo(nearest);
    return;
  }
  Point p = getMousePoint();
  if (modKey(KMOD_SHIFT)) p = getNearestGridPoint(p);
  FenceNode* node = placeNode(p);
  if (selectedNode) selectedNode->connectTo(node);
  selectedNode = node;
}

void FenceTool::handleRightClick() {
  FenceNode* nearest = getNearestFenceNode();
  if (!nearest) return;
  setPathObject(nearest);
  switchEditorTool(&pathTool, false);
}

void FenceTool::process() {
  if (selectedNode &&
      (justPressed('a') || justPressed('d') || justPressed('s') || justPressed('w'))) {
    selectedNode = nullptr;
    clearKey('a');
    clearKey('d');
    clearKey('s');
    clearKey('w');
  }
  if (justPressed(SDLK_DELETE) && selectedNode) {
    FenceNode* node = selectedNode;
    selectedNode = nullptr;
    deleteEditorObject(node);
  }
}

void FenceTool::draw() { drawNodeMap(fenceNodes); }

void FenceTool::drawMouse() {
  FenceNode* nearest = getNearestFenceNode();
  if (nearest && !modKey(KMOD_CTRL)) {
    mouse.draw();
    drawMark(nearest, "red");
    mouse.draw();
    if (selectedNode && selectedNode != nearest)
      drawPreviewFence(selectedNode->getCenter(), nearest->getCenter());
  } else {
    if (selectedNode) drawPreviewFence(selectedNode->getCenter(), getMousePoint());
    FenceNode preview(getMousePoint());
    preview.draw();
  }
  if (selectedNode) selectedNode->drawSelected();
}
