#include "editor/QorEditor.h"

#include "core/GetParents.h"
#include "core/TypedLists.h"
#include "editor/FenceTool.h"
#include "editor/LineTool.h"
#include "editor/PathTool.h"
#include "game/FenceNode.h"
#include "game/Game.h"
#include "geometry/PathFollower.h"
#include "geometry/PathNode.h"
#include "presentation/Keyboard.h"
#include "presentation/Mouse.h"
#include "presentation/StarField.h"

QorEditor::QorEditor() { setEditorState(this); }

void QorEditor::process() {
  Editor::process();
  // The fence tool becomes the marked tool: 'a', 'd', 's', 'w' then act in it (dropping the
  // post selection) rather than return to the tool 'f' was pressed in.
  if (justPressed('f')) switchEditorTool(&fenceTool, true);
}

void QorEditor::draw() {
  Editor::draw();
  drawNodeMap(fenceNodes);
  // The paths of the objects under the mouse show even while a selected node hides the rest.
  for (Creatable2d* object : editObjMan.getList()) {
    if (!isOfType(object, "SpaceObject")) continue;
    Editable* editable = dynamic_cast<Editable*>(object);
    PathFollower* follower = dynamic_cast<PathFollower*>(object);
    if (editable && follower &&
        editable->isPtIn(static_cast<float>(mouse.x), static_cast<float>(mouse.y)))
      drawNodeMap(follower->getPathRef());
  }
}

void QorEditor::selectObject(Editable* newObject) {
  Editor::selectObject(newObject);
  if (!selectedObject) return;
  if (isOfType(selectedObject, "HoloDisplay")) {
    switchEditorTool(&pathTool, false);
  } else if (isOfType(selectedObject, "FenceNode")) {
    switchEditorTool(&fenceTool, false);
  }
}

void QorEditor::adjustLevelDims() {
  Editor::adjustLevelDims();
  resetStars();
}

EditorTool* QorEditor::getInitialTool() { return &fenceTool; }
