// The editor's level files: explicit saves, the scratch level written on leaving, loading a
// level by a typed name and clearing the level.
#include <cstdio>
#include <fstream>

#include "core/Debug.h"
#include "core/Files.h"
#include "core/LevelHooks.h"
#include "editor/Editor.h"
#include "game/Console.h"
#include "game/Game.h"
#include "game/Level.h"
#include "game/Line.h"
#include "game/Prototypes.h"
#include "presentation/Keyboard.h"
#include "presentation/Messages.h"
#include "presentation/View.h"

bool writeLevelFile(std::string const& name, float left, float top, float right, float bottom) {
  if (name.empty()) return false;
  // Written beside the level and renamed over it only when complete, so that a failed save
  // never leaves a truncated level in place of the old one.
  std::string const partial = name + ".tmp";
  std::ofstream out(partial.c_str(), std::ios::out | std::ios::trunc);
  if (!out) return false;
  saveTriggers(out);
  out << left << " " << top << " " << right << " " << bottom << '\n';
  out << "-1" << '\n' << '\n';
  editObjMan.saveAllObjects(out, "");
  saveLines(out);
  out.flush();
  bool bWritten = out.good();
  out.close();
  bWritten = bWritten && !out.fail();
  if (!bWritten || std::rename(partial.c_str(), name.c_str()) != 0) {
    std::remove(partial.c_str());
    return false;
  }
  return true;
}

namespace {
// A level name typed at the prompt, with the level extension; empty when nothing was typed,
// which cancels what asked for the name.
std::string readLevelName() {
  std::string const name = keyboardToFilename(getLevelExtension());
  std::string nothingTyped;
  addExtension(nothingTyped, getLevelExtension());
  return name == nothingTyped ? std::string() : name;
}
}  // namespace

void Editor::saveLevel(std::string const& level) {
  savedView.setRect(view);
  view.seeAll();
  bool const bSaved =
      writeLevelFile(level, view.getLeft(), view.getTop(), view.getRight(), view.getBottom());
  if (bSaved)
    printInfo(1, "Saved.");
  else
    printInfo(1, "Save failed!");
  view.setRect(savedView);
}

void Editor::handleSaving() {
  savedView.setRect(view);
  view.seeAll();
  std::string const name = readLevelName();
  if (name.empty()) {
    view.setRect(savedView);
    return;
  }
  if (fileExists(name) && !message("File with this name already exists. Overwrite?", true)) {
    message("cancelled", false);
    return;
  }
  view.setRect(savedView);
  saveLevel(name);
  setCurrentLevel(name);
}

void Editor::handleLoading() {
  // The level stays as it is until a name is given.
  std::string const name = readLevelName();
  if (name.empty()) return;
  clearLevel();
  editObjMan.setPrototypes(getEditorProtos());
  loadLevel(name);
  dropGameObjects();
  forgetDeletedEditorObjects();
  view.setCenter(worldBounds.getCenter());
  editObjMan.setPrototypes(getEditorProtos());
}

void Editor::clearLevel() {
  editObjMan.deleteObjects(true);
  selectedObject = nullptr;
  forgetDeletedEditorObjects();
  setDefaultWorldBounds();
  view.setCenter(getScreenWidth() / 2, getScreenHeight() / 2);
  clearLines();
}
