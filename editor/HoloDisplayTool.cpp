#include "editor/HoloDisplayTool.h"

#include <SDL.h>

#include <string>

#include "core/Debug.h"
#include "core/GetParents.h"
#include "editor/Editor.h"
#include "editor/PathTool.h"
#include "game/Console.h"
#include "game/HoloDisplay.h"
#include "game/XmlHandlers.h"
#include "presentation/Keyboard.h"
#include "presentation/Mouse.h"

// The preview ship is left to the process's end rather than deleted by a global destructor,
// which would reach lists and timers of other files that may already be gone.
HoloDisplayTool holoDisplayTool;
HoloDisplay* newDisplay = nullptr;

namespace {
HoloDisplay* makePreview(std::string const& typeName) {
  HoloDisplay* display = new HoloDisplay();
  // Drawn as a ship read back from a level file is, so that saving and loading do not turn
  // it round.
  display->setFlip(false, true);
  display->setType(holoTypes, typeName);
  return display;
}

HoloDisplay* getNearestHoloDisplay() {
  Editable* nearest = getNearestEditable();
  if (!nearest || !isOfType(nearest, "HoloDisplay")) return nullptr;
  return dynamic_cast<HoloDisplay*>(nearest);
}
}  // namespace

void HoloDisplayTool::enter() {
  if (!newDisplay) newDisplay = makePreview(getDefaultHoloType());
}

int HoloDisplayTool::getTypeIndex() {
  if (!newDisplay) return -1;
  std::string const name = newDisplay->getName();
  for (int i = 0; i < holoTypes.size(); i++)
    if (holoTypes.at(i).getName() == name) return i;
  recordError("Error: type not found, newDisplay->getName():", name);
  return -1;
}

void HoloDisplayTool::process() {
  int index = getTypeIndex();
  printInfo(10, "Current type index: %i", index);
  bool const bUp = justPressed('w');
  if (!bUp && !justPressed('s')) return;
  int const numTypes = holoTypes.size();
  // Without types there is nothing to step through.
  if (numTypes == 0) return;
  int const step = modKey(KMOD_SHIFT) ? 5 : 1;
  index += bUp ? step : -step;
  index = ((index % numTypes) + numTypes) % numTypes;
  delete newDisplay;
  newDisplay = nullptr;
  newDisplay = makePreview(holoTypes.at(index).getName());
}

void HoloDisplayTool::handleLeftClick() {
  if (HoloDisplay* nearest = getNearestHoloDisplay()) {
    setPathObject(nearest);
    switchEditorTool(&pathTool, false);
    return;
  }
  if (!newDisplay) return;
  HoloDisplay* placed = newDisplay;
  // From here on the editor's manager owns it.
  editObjMan.newObject(placed);
  setPathObject(placed);
  newDisplay = makePreview(placed->getName());
  switchEditorTool(&pathTool, false);
}

void HoloDisplayTool::drawMouse() {
  if (HoloDisplay* nearest = getNearestHoloDisplay()) {
    float const cx = nearest->getXCenter(), cy = nearest->getYCenter();
    float const w = nearest->getWidth(), h = nearest->getHeight();
    Rect mark(cx - w, cy - h, cx + w, cy + h);
    mark.setColors("red");
    mark.bFilled = false;
    mark.draw();
    mouse.draw();
    return;
  }
  if (!newDisplay) return;
  newDisplay->setCenter(static_cast<float>(mouse.x), static_cast<float>(mouse.y));
  newDisplay->draw();
}
