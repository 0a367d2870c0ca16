#include "editor/Editor.h"

#include <SDL.h>

#include "core/Debug.h"
#include "core/GetParents.h"
#include "editor/FenceTool.h"
#include "editor/HoloDisplayTool.h"
#include "editor/LineTool.h"
#include "editor/ModifyTool.h"
#include "editor/SnapGrid.h"
#include "editor/UnsavedWork.h"
#include "game/Console.h"
#include "game/Game.h"
#include "game/Level.h"
#include "game/Line.h"
#include "game/ObstacleTree.h"
#include "game/Prototypes.h"
#include "game/QorObjMan.h"
#include "game/Ship.h"
#include "geometry/Collisions.h"
#include "geometry/PathFollower.h"
#include "geometry/PathNode.h"
#include "presentation/Keyboard.h"
#include "presentation/Messages.h"
#include "presentation/Mouse.h"
#include "presentation/View.h"

namespace {
// Keys held down repeat on the frame after the press and every fourth frame after that.
int const repeatPeriod = 4;
float const levelStep = 40.0f;
// The widths between which the editor zooms: far enough out to see a large level whole, near
// enough to place by the world unit, and bounded so that the mouse's world position fits an
// int and the level bounds, which grow to the camera, stay those of a level.
float const widestView = 800.0f * 128;
float const narrowestView = 800.0f / 16;
// Set by entering: the first frame's mouse was mapped through the play camera.
bool bFirstFrame = false;
}  // namespace

void switchEditorTool(EditorTool* newTool, bool bSetSelected) {
  if (currTool) currTool->exit();
  if (bSetSelected) selectedTool = newTool;
  currTool = newTool;
  if (currTool) currTool->enter();
}

void switchEditorTool(bool bIncrease) {
  int const size = static_cast<int>(tools.size());
  if (size == 0) return;
  int index = size;
  for (int i = 0; i < size; i++) {
    if (tools[i] == selectedTool) {
      index = i;
      break;
    }
  }
  index += bIncrease ? 1 : -1;
  if (index >= size) index = 0;
  if (index < 0) index = size - 1;
  switchEditorTool(tools[index], true);
}

Point getMousePoint() { return Point(mouse.x, mouse.y); }

Editable* getNearestEditable() {
  Creatable2d* nearest = getNearest(editObjMan.getList(), getMousePoint(), editorNearDist);
  if (!nearest) return nullptr;
  Editable* editable = dynamic_cast<Editable*>(nearest);
  if (!editable || !isOfType(nearest, "Editable")) {
    recordError("Error: non-Editable object in Editor:", getType(nearest));
    return nullptr;
  }
  return editable;
}

void setSnapDist(float value) { editorNearDist = value; }

void deleteEditorObject(Creatable2d* object) {
  if (!object) return;
  // A fence post is also a graph node: its neighbours must let go of it before it goes.
  if (Node* node = dynamic_cast<Node*>(object)) {
    editObjMan.deleteObject(object, false);
    // A level file may list a link on one side only, so a neighbour can hold the post without
    // the post holding it; selfDestruct reaches only the posts it holds itself.
    for (Creatable2d* other : editObjMan.getList())
      if (Node* otherNode = dynamic_cast<Node*>(other))
        while (otherNode->isConnected(node)) otherNode->removeConnection(node);
    node->selfDestruct();
  } else {
    editObjMan.deleteObject(object, true);
  }
  forgetDeletedEditorObjects();
}

void dropGameObjects() {
  // The obstacle tree points at the game's obstacles: it goes before they do.
  clearObstacleTree();
  objMan.deleteObjects(true);
}

void Editor::enter() {
  dropGameObjects();
  clearLines();
  bEdit = true;
  setUp();
  bool const bFromScratchLevel = useTempLev;
  if (!useTempLev) {
    loadLevelForEditing(getCurrLevel());
    useTempLev = true;
  } else {
    loadLevelForEditing(getScratchLevelName());
  }
  // The editor draws links itself: nothing of the game's may outlive posts it deletes.
  dropGameObjects();
  forgetDeletedEditorObjects();
  view.setRect(savedView);
  if (player) {
    player->setCenter(savedPlayerPosition);
    player->setAngle(savedPlayerAngle);
  }
  bFirstFrame = true;
  noteLevelEntered(bFromScratchLevel);
}

void Editor::exit() {
  // The game plays what the scratch level holds: without it the game would play an empty
  // world or an old scratch level, and the edits would be gone. The editor stays open instead
  // (bEdit stays set, which tells the game).
  if (!writeScratchLevelAndNoteLeft()) {
    recordError("Error: could not write the level file:", getScratchLevelName());
    std::vector<std::string> lines = {"Could not write " + getScratchLevelName() + ".",
                                      "The level stays in the editor."};
    message(lines, false);
    return;
  }
  editObjMan.deleteObjects(true);
  bEdit = false;
  forgetDeletedEditorObjects();
  // What the editor showed ("Saved.", the mouse position) goes with it.
  clearInfo();
}

void Editor::process() {
  forgetDeletedEditorObjects();
  handleInput();
  if (modKey(KMOD_SHIFT)) {
    createGrid();
    Point snapped = getNearestGridPoint(getMousePoint());
    mouse.x = clampToMouseRange(snapped.x);
    mouse.y = clampToMouseRange(snapped.y);
  }
  if (currTool) currTool->process();

  // The mouse of the frame the editor is entered in was mapped through the play camera: it
  // would scroll (and grow the level) toward a point that was never pointed at.
  bool const bScroll = !bFirstFrame;
  bFirstFrame = false;
  float const margin = view.getWidth() / 16;
  if (bScroll && (mouse.x < view.getLeft() + margin || mouse.x > view.getRight() - margin))
    view.scrollToPoint(mouse.x, view.getYCenter());
  printInfo(6, "mouse.x: %i, mouse.y: %i", mouse.x, mouse.y);
  if (bScroll && (mouse.y < view.getTop() + margin || mouse.y > view.getBottom() - margin))
    view.scrollToPoint(view.getXCenter(), mouse.y);
  setInfo();
}

void Editor::handleInput() {
  if (mouse.leftReleased() && currTool) currTool->handleLeftClick();
  if (mouse.rightReleased() && currTool) currTool->handleRightClick();

  // A key with Control held does only what Control and that key do: Ctrl+'s' saves, and
  // neither the editor nor a tool sees the key itself.
  if (modKey(KMOD_CTRL)) {
    bool const bSave = justPressed('s');
    for (int k = ' '; k <= '~'; k++) keys[k] = false;
    if (bSave) saveLevel(getCurrLevel());
  }

  if (justPressed('a'))
    switchEditorTool(false);
  else if (justPressed('d'))
    switchEditorTool(true);

  int const toolKeys[] = {SDLK_F5, SDLK_F6, SDLK_F7, SDLK_F8};
  for (int i = 0; i < 4; i++)
    if (justPressed(toolKeys[i]) && i < static_cast<int>(tools.size()))
      switchEditorTool(tools[i], true);

  if (held('-', repeatPeriod) || mouse.wheelDown()) {
    if (view.getWidth() * 2 <= widestView) {
      view.setCenter(mouse.x, mouse.y);
      view.adjustZoom(2.0);
    }
  } else if (held('+', repeatPeriod) || held('=', repeatPeriod) || mouse.wheelUp()) {
    if (view.getWidth() / 2 >= narrowestView) {
      view.setCenter(mouse.x, mouse.y);
      view.adjustZoom(0.5);
    }
  }

  if (justPressed(SDLK_HOME)) view.seeAll();

  if ((justPressed('a') || justPressed('d') || justPressed('s') || justPressed('w')) &&
      currTool != selectedTool) {
    switchEditorTool(selectedTool, false);
    clearKey('a');
    clearKey('d');
    clearKey('s');
    clearKey('w');
  }

  if (justPressed(SDLK_F9)) handleSaving();
  if (justPressed('l') || justPressed('o') || justPressed(SDLK_F10)) handleLoading();
  if (justPressed('c') || justPressed(SDLK_F11)) {
    if (!levelChanged() || askYesNo("The level has unsaved changes. Clear it anyway?"))
      clearLevel();
  }
  // Escape, which ends the program at the end of the frame, asks there (game/Console).
}

void Editor::draw() {
  forgetDeletedEditorObjects();
  editObjMan.drawObjects();
  if (currTool) {
    currTool->draw();
    currTool->drawMouse();
  }
  // A selected path node hides the other paths, so that the edited one stands out.
  if (selectedPathNode) return;
  for (Creatable2d* object : editObjMan.getList())
    if (PathFollower* follower = dynamic_cast<PathFollower*>(object))
      drawNodeMap(follower->getPathRef());
}

void Editor::selectObject(Editable* object) { selectedObject = object; }

void Editor::adjustLevelDims() {
  if (held(SDLK_LEFT, repeatPeriod)) {
    if (worldBounds.getWidth() > getScreenWidth())
      worldBounds.setRightIndep(worldBounds.getRight() - levelStep);
  } else if (held(SDLK_RIGHT, repeatPeriod)) {
    worldBounds.setRightIndep(worldBounds.getRight() + levelStep);
  }
  if (held(SDLK_UP, repeatPeriod)) {
    if (worldBounds.getHeight() > getScreenHeight())
      worldBounds.setBottomIndep(worldBounds.getBottom() - levelStep);
  } else if (held(SDLK_DOWN, repeatPeriod)) {
    worldBounds.setBottomIndep(worldBounds.getBottom() + levelStep);
  }
  mouse.maxX = clampToMouseRange(worldBounds.getRight());
  mouse.maxY = clampToMouseRange(worldBounds.getBottom());
}

void Editor::setUp() {
  editObjMan.setPrototypes(getEditorProtos());
  setDefaultWorldBounds();
  view.setRect(worldBounds);
  view.setScrollSpeed(8.0);
  view.setAngle(0.0);
  tools.clear();
  tools.push_back(&holoDisplayTool);
  tools.push_back(&fenceTool);
  tools.push_back(&lineTool);
  tools.push_back(&modifyTool);
  selectedTool = getInitialTool();
  currTool = selectedTool;
  if (currTool) currTool->enter();
}

Editable* Editor::getClickedObject() {
  for (Creatable2d* object : editObjMan.getList()) {
    Editable* editable = dynamic_cast<Editable*>(object);
    if (editable && editable->isPtIn(static_cast<float>(mouse.x), static_cast<float>(mouse.y)))
      return editable;
  }
  return nullptr;
}

void Editor::setInfo() {}

Editable* Editor::createObjectOfType(std::string const& type) {
  SaveLoad* object = editObjMan.createObjectOfType(type);
  if (!object) return nullptr;
  Editable* editable = dynamic_cast<Editable*>(object);
  if (!editable) {
    recordError("Error: object is not Editable, type:", type);
    delete object;
  }
  return editable;
}

void Editor::newObject(SaveLoad* object) {
  Creatable2d* creatable = dynamic_cast<Creatable2d*>(object);
  if (!creatable) {
    recordError("Error: object cannot join the editor's manager, type:", getType(object));
    delete object;
    return;
  }
  editObjMan.newObject(creatable);
}
