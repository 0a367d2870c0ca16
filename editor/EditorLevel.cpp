// The editor's level files: explicit saves, the scratch level written on leaving, loading a
// level by a typed name and clearing the level.
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/Debug.h"
#include "core/Files.h"
#include "core/LevelHooks.h"
#include "core/NumberText.h"
#include "core/SafeSave.h"
#include "core/StringConversions.h"
#include "editor/Editor.h"
#include "editor/UnsavedWork.h"
#include "game/Console.h"
#include "game/Game.h"
#include "game/Level.h"
#include "game/Line.h"
#include "game/Prototypes.h"
#include "presentation/Keyboard.h"
#include "presentation/Messages.h"
#include "presentation/View.h"

namespace {
// The level as the editor writes it, in the two parts around the bounds and the level time:
// the trigger tree, and the objects with the lines.
struct LevelText {
  std::string triggers;
  std::string rest;
};

LevelText makeLevelText() {
  LevelText text;
  std::ostringstream triggers;
  saveTriggers(triggers);
  text.triggers = triggers.str();
  std::ostringstream rest;
  editObjMan.saveAllObjects(rest, "");
  saveLines(rest);
  text.rest = rest.str();
  return text;
}

// What the designer has made: the level as the editor writes it, without its bounds.
std::string contentOf(LevelText const& text) { return text.triggers + text.rest; }

bool isContentOf(std::string const& content, LevelText const& text) {
  return isJoinedText(content, text.triggers, text.rest);
}

bool writeLevelText(std::string const& name, LevelText const& text, float left, float top,
                    float right, float bottom) {
  std::ostringstream bounds;
  writeNumber(bounds, left);
  bounds << ' ';
  writeNumber(bounds, top);
  bounds << ' ';
  writeNumber(bounds, right);
  bounds << ' ';
  writeNumber(bounds, bottom);
  bounds << '\n';
  bounds << "-1" << '\n' << '\n';
  std::string const middle = bounds.str();
  // The level is put together once, in place.
  std::string whole;
  whole.reserve(text.triggers.size() + middle.size() + text.rest.size());
  whole += text.triggers;
  whole += middle;
  whole += text.rest;
  std::string why;
  if (saveFileSafely(name, whole, why)) return true;
  recordError("Error: level not saved:", name + " (" + why + ")");
  return false;
}

// The level's content as last loaded, saved or cleared (bounds aside, which the camera grows
// by itself), and whether edits of an earlier visit came back through the scratch level.
std::string unchangedContent;
bool bChangedOnEarlierVisit = false;

std::string levelContent() { return contentOf(makeLevelText()); }

// Whether the level would load: its file opens and its head (trigger tree, bounds, level
// time) reads, which is all a load can fail on. The level in the editor stays untouched.
bool isLoadableLevel(std::string const& name) {
  std::ifstream file(name.c_str());
  if (!file) return false;
  XmlElement const keptRoot = triggerRoot;
  Arguments const keptEvents = triggerEvents;
  Rect const keptBounds = worldBounds;
  int const keptTime = levelTime;
  bool const bReadable = readInitialStuff(file);
  triggerRoot = keptRoot;
  triggerEvents = keptEvents;
  worldBounds.setRect(keptBounds);
  levelTime = keptTime;
  return bReadable;
}

// A level name typed at the prompt, with the level extension; empty when nothing was typed,
// which cancels what asked for the name.
std::string readLevelName() {
  std::string const name = keyboardToFilename(getLevelExtension());
  std::string nothingTyped;
  addExtension(nothingTyped, getLevelExtension());
  return name == nothingTyped ? std::string() : name;
}
}  // namespace

void markLevelUnchanged() {
  unchangedContent = levelContent();
  bChangedOnEarlierVisit = false;
}

bool levelChanged() {
  return bChangedOnEarlierVisit || !isContentOf(unchangedContent, makeLevelText());
}

void noteLevelEntered(bool bFromScratchLevel) {
  bool const bCarried = bFromScratchLevel && bChangedOnEarlierVisit;
  markLevelUnchanged();
  bChangedOnEarlierVisit = bCarried;
}

void noteLevelLeft() { bChangedOnEarlierVisit = levelChanged(); }

bool scratchLevelHoldsEdits() { return bChangedOnEarlierVisit; }

std::string getRecoveryName(std::string const& level) {
  std::string const extension = getLevelExtension();
  std::string stem = level.empty() ? "level" : level;
  if (stem.size() > extension.size() &&
      stem.compare(stem.size() - extension.size(), extension.size(), extension) == 0)
    stem.resize(stem.size() - extension.size());
  return stem + "-recovered" + extension;
}

void keepUnsavedWork() {
  if (!hasUnsavedWork()) return;
  std::string const name = getRecoveryName(getCurrLevel());
  bool bKept = false;
  if (bEdit) {
    bKept = writeLevelText(name, makeLevelText(), worldBounds.getLeft(), worldBounds.getTop(),
                           worldBounds.getRight(), worldBounds.getBottom());
  } else {
    // In play the changes live in the scratch level, which goes at exit.
    std::ifstream scratch(getScratchLevelName().c_str(), std::ios::binary);
    std::stringstream text;
    text << scratch.rdbuf();
    std::string why;
    bKept = scratch && saveFileSafely(name, text.str(), why);
    if (!bKept) recordError("Error: level not saved:", name + " (" + why + ")");
  }
  if (bKept) debug("Unsaved level kept in", name);
}

bool writeLevelFile(std::string const& name, float left, float top, float right, float bottom) {
  return writeLevelText(name, makeLevelText(), left, top, right, bottom);
}

// The level is written out once: the same text serves the file and the change check.
bool writeScratchLevelAndNoteLeft() {
  LevelText const text = makeLevelText();
  // The scratch level is this process's own, and goes with it.
  static bool const bRemovedAtExit = std::atexit(removeScratchLevel) == 0;
  static_cast<void>(bRemovedAtExit);
  if (!writeLevelText(getScratchLevelName(), text, worldBounds.getLeft(), worldBounds.getTop(),
                      worldBounds.getRight(), worldBounds.getBottom()))
    return false;
  bChangedOnEarlierVisit = bChangedOnEarlierVisit || !isContentOf(unchangedContent, text);
  return true;
}

bool Editor::saveLevel(std::string const& level) {
  savedView.setRect(view);
  view.seeAll();
  bool const bSaved =
      writeLevelFile(level, view.getLeft(), view.getTop(), view.getRight(), view.getBottom());
  if (bSaved) {
    printInfo(1, "Saved.");
    markLevelUnchanged();
  } else
    printInfo(1, "Save failed!");
  view.setRect(savedView);
  return bSaved;
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
  // A name that could not be written is not the level Ctrl+'s' writes.
  if (saveLevel(name)) setCurrentLevel(name);
}

void Editor::handleLoading() {
  // The level stays as it is until a name is given.
  std::string const name = readLevelName();
  if (name.empty()) return;
  // A name that names no level file (a typo) leaves the level as it was.
  if (!isLoadableLevel(name)) {
    recordError("Error: failed to load level:", name);
    printInfo(1, "Could not load %s.", name.c_str());
    return;
  }
  if (!mayDropUnsavedWork("The level has unsaved changes. Load another anyway?")) return;
  clearLevel();
  editObjMan.setPrototypes(getEditorProtos());
  loadLevelForEditing(name);
  dropGameObjects();
  forgetDeletedEditorObjects();
  view.setCenter(worldBounds.getCenter());
  editObjMan.setPrototypes(getEditorProtos());
  markLevelUnchanged();
}

void Editor::clearLevel() {
  // "Saved." and the like belong to the level that goes.
  printInfo(1, " ");
  editObjMan.deleteObjects(true);
  selectedObject = nullptr;
  forgetDeletedEditorObjects();
  setDefaultWorldBounds();
  view.setCenter(getScreenWidth() / 2, getScreenHeight() / 2);
  clearLines();
  // The old level's trigger effects would fire on the new level's lines of the same ids.
  triggerRoot = XmlElement();
  triggerEvents.clear();
  markLevelUnchanged();
}
