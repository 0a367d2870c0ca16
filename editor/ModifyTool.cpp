#include "editor/ModifyTool.h"

#include <SDL.h>

#include <set>
#include <string>

#include "core/GetParents.h"
#include "core/StringConversions.h"
#include "editor/Editor.h"
#include "editor/SnapGrid.h"
#include "game/Console.h"
#include "geometry/PathFollower.h"
#include "geometry/PathNode.h"
#include "geometry/SimpleRect.h"
#include "presentation/Keyboard.h"
#include "presentation/Mouse.h"
#include "presentation/Sprite.h"

ModifyTool modifyTool;
std::vector<SimpleRect*> objectsInArea;
std::vector<SimpleRect*> objects;
Point clickPoint;

namespace {
int const repeatPeriod = 4;

void moveSelection(float dx, float dy) {
  for (SimpleRect* entry : objectsInArea) {
    Point center = entry->getCenter();
    entry->setCenter(static_cast<float>(center.x + dx), static_cast<float>(center.y + dy));
  }
}

bool isShip(SimpleRect* entry) {
  std::string const type = getType(entry);
  return type == "HoloDisplay" || type == "PlayerShip";
}

void turnSelection(float degrees) {
  for (SimpleRect* entry : objectsInArea) {
    if (!isShip(entry)) continue;
    if (Sprite* sprite = dynamic_cast<Sprite*>(entry))
      sprite->setAngle(sprite->getAngle() + degrees);
  }
}

// Modal entry of a number after Tab, on info line 10.
void enterSpeedMultiplier() {
  std::string text;
  while (miniLoop(nullptr) && keyboardToNum(text)) printInfo(10, "Multiplier: %s", text.c_str());
  printInfo(10, " ");
  for (int k = 0; k < 256; k++) keys[k] = false;
  // An entry without a digit (nothing typed, or only a sign or a point) is no number: it
  // cancels instead of stopping every selected node.
  if (text.find_first_of("0123456789") == std::string::npos) return;
  float const mult = stringToFloat(text);
  // A multiplier scales the path's speed from stopped (0) to full (1); the nodes are drawn
  // in colours of that range.
  if (!(mult >= 0.0f && mult <= 1.0f)) {
    printInfo(10, "Multiplier %s refused: speeds go from 0 to 1.", text.c_str());
    return;
  }
  for (SimpleRect* entry : objectsInArea)
    if (getType(entry) == "PathNode") static_cast<PathNode*>(entry)->setSpeedMult(mult);
}

PathFollower* findPathOwner(PathNode* node) {
  for (SimpleRect* object : objects) {
    PathFollower* follower = dynamic_cast<PathFollower*>(object);
    if (!follower) continue;
    VectorInterface<PathNode*>& path = follower->getPathRef();
    for (int i = 0; i < path.size(); i++)
      if (path.at(i) == node) return follower;
  }
  return nullptr;
}

void deleteSelection() {
  // Deleting an object deletes its path nodes with it; their later entries are then only
  // addresses, never to be touched.
  std::set<SimpleRect*> gone;
  std::vector<SimpleRect*> const selection = objectsInArea;
  for (SimpleRect* entry : selection) {
    if (gone.count(entry)) continue;
    std::string const type = getType(entry);
    if (type == "PathNode") {
      PathNode* node = static_cast<PathNode*>(entry);
      PathFollower* owner = findPathOwner(node);
      if (!owner) continue;
      gone.insert(entry);
      owner->deleteNode(node);
    } else if (type == "FenceNode" || isShip(entry)) {
      Creatable2d* object = dynamic_cast<Creatable2d*>(entry);
      if (!object) continue;
      if (PathFollower* follower = dynamic_cast<PathFollower*>(entry)) {
        VectorInterface<PathNode*>& path = follower->getPathRef();
        for (int i = 0; i < path.size(); i++) gone.insert(path.at(i));
      }
      gone.insert(entry);
      // Also drops the object from `objects`, so that no owner search meets it.
      deleteEditorObject(object);
    }
  }
  objectsInArea.clear();
}

void selectInBand(bool bLeft) {
  SimpleRect band(static_cast<float>(modifyTool.areaPoint.x),
                  static_cast<float>(modifyTool.areaPoint.y), static_cast<float>(mouse.x),
                  static_cast<float>(mouse.y));
  createGrid();
  clickPoint = getNearestGridPoint(getMousePoint());
  objects.clear();
  for (Creatable2d* object : editObjMan.getList())
    objects.push_back(dynamic_cast<SimpleRect*>(object));
  for (SimpleRect* object : objects) {
    if (!object) continue;
    PathFollower* follower = dynamic_cast<PathFollower*>(object);
    if (bLeft) {
      if (!band.isPtIn(object->getCenter())) continue;
      objectsInArea.push_back(object);
      if (!follower) continue;
      VectorInterface<PathNode*>& path = follower->getPathRef();
      for (int i = 0; i < path.size(); i++) objectsInArea.push_back(path.at(i));
    } else if (follower) {
      VectorInterface<PathNode*>& path = follower->getPathRef();
      for (int i = 0; i < path.size(); i++) {
        if (!band.isPtIn(path.at(i)->getCenter())) continue;
        objectsInArea.push_back(path.at(i));
        if (i == 0) objectsInArea.push_back(object);
      }
    }
  }
}
}  // namespace

void ModifyTool::process() {
  float dx = static_cast<float>(mouse.x - clickPoint.x);
  float dy = static_cast<float>(mouse.y - clickPoint.y);
  clickPoint = getMousePoint();

  if (justPressed(SDLK_TAB)) enterSpeedMultiplier();

  if (!modKey(KMOD_CTRL))
    moveSelection(dx, dy);
  else if (modKey(KMOD_SHIFT))
    turnSelection(dx * 45 / gridGap);
  else
    turnSelection(dx);

  int const arrows[] = {SDLK_LEFT, SDLK_RIGHT, SDLK_DOWN, SDLK_UP};
  for (int key : arrows) {
    if (!held(key, repeatPeriod)) continue;
    if (key == SDLK_LEFT) dx = -gridGap;
    if (key == SDLK_RIGHT) dx = gridGap;
    if (key == SDLK_DOWN) dy = gridGap;
    if (key == SDLK_UP) dy = -gridGap;
    moveSelection(dx, dy);
    break;
  }

  if (justPressed(SDLK_DELETE)) deleteSelection();

  if (mouse.leftClicked() || mouse.rightClicked()) {
    objectsInArea.clear();
    areaPoint = getMousePoint();
  } else if (mouse.leftReleased() || mouse.rightReleased()) {
    selectInBand(mouse.leftReleased());
  }
}

void ModifyTool::draw() {
  if (!mouse.leftDown() && !mouse.rightDown()) {
    mouse.draw("green");
    return;
  }
  SimpleRect band(static_cast<float>(areaPoint.x), static_cast<float>(areaPoint.y),
                  static_cast<float>(mouse.x), static_cast<float>(mouse.y));
  band.draw();
}

void ModifyTool::exit() {
  objectsInArea.clear();
  objects.clear();
}
