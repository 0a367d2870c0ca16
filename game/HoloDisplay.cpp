#include "game/HoloDisplay.h"

#include "editor/Editor.h"
#include "editor/PathTool.h"

HoloDisplay::HoloDisplay(bool /*bLoadFrames*/) { loadDefaultFrames(); }

// In the editor, the ship's path becomes the path tool's work.
void HoloDisplay::activateDefaultCommand() {
  setPathObject(this);
  switchEditorTool(&pathTool, false);
}
