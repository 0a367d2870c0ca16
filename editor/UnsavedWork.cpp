#include "editor/UnsavedWork.h"

#include "editor/Editor.h"
#include "game/Level.h"
#include "presentation/Keyboard.h"
#include "presentation/Messages.h"
#include "presentation/Mouse.h"

bool askYesNo(std::string const& question) {
  bool const bYes = message(question, true);
  for (int k = 0; k < 256; k++) keys[k] = false;
  mouse.clearClicks();
  return bYes;
}

bool hasUnsavedWork() {
  if (bEdit) return levelChanged();
  // In play the edits live only in the scratch level until the next round trip overwrites it.
  return useTempLev && scratchLevelHoldsEdits();
}

bool mayDropUnsavedWork(std::string const& question) {
  return !hasUnsavedWork() || askYesNo(question);
}
