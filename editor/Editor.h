// The level editor as a game state: while it is current it edits the editor's object manager
// instead of the game's, runs the current tool every frame instead of the objects' process,
// scrolls and zooms the camera, and saves and loads levels. 't' switches into and out of it.
#pragma once

#include <string>
#include <vector>

#include "core/Editable.h"
#include "editor/EditorGlobals.h"
#include "editor/EditorTool.h"
#include "game/GameStates.h"

class SaveLoad;

class Editor : public GameState {
 public:
  void enter() override;
  // Hands the level to the game through "temp.lev" and empties the editor; when the scratch
  // level cannot be written it says so and the editor stays open (bEdit stays set).
  void exit() override;
  void process() override;
  void draw() override;

  virtual void selectObject(Editable* object);
  virtual void adjustLevelDims();
  virtual EditorTool* getInitialTool() = 0;

  void setUp();
  void handleInput();
  // F9: save under a typed name, asking before overwriting.
  void handleSaving();
  // The level framed around its objects, written to the file; the previous file stays as it
  // was when the writing fails.
  // False, with "Save failed!" shown, when the level could not be written.
  bool saveLevel(std::string const& level);
  void handleLoading();
  void clearLevel();
  // The first editor object under the mouse, else null.
  Editable* getClickedObject();
  void setInfo();
  Editable* createObjectOfType(std::string const& type);
  void newObject(SaveLoad* object);
};

// The tools that 'a', 'd' and F5 to F8 cycle through.
extern std::vector<EditorTool*> tools;
// The tool that runs now; may be a temporary tool.
extern EditorTool* currTool;
// The permanent tool to which a temporary tool returns.
extern EditorTool* selectedTool;
extern Editable* selectedObject;
// Pick radius of getNearestEditable; the data key "snap_dist" sets it.
extern float editorNearDist;

// Always makes the tool current; a permanent switch also makes it the selected tool.
void switchEditorTool(EditorTool* newTool, bool bSetSelected);
// Permanently to the next or previous tool of `tools`, wrapping around.
void switchEditorTool(bool bIncrease);
// The editor object nearest the mouse within editorNearDist, null when none is that near.
Editable* getNearestEditable();
void setSnapDist(float value);
// The mouse's world position as a point.
Point getMousePoint();

// Drops every reference the tools hold into objects no longer in the editor's manager, so
// that nothing follows a pointer to a deleted object after a level is cleared, loaded, left or
// stepped, or after a tool deleted an object.
void forgetDeletedEditorObjects();
// Deletes an object of the editor's manager; a fence post is unlinked from its neighbours
// first.
void deleteEditorObject(Creatable2d* object);

// Empties the game's manager (and the obstacle tree over it) while the editor edits.
void dropGameObjects();

// Unsaved work: whether the level differs from what was last loaded, saved or cleared, or
// came back through the scratch level with changes from an earlier visit.
bool levelChanged();
// The level as it stands counts as unchanged.
void markLevelUnchanged();
// Entering takes the level as unchanged, unless it came through the scratch level with the
// changes of an earlier visit; leaving remembers whether it had changed.
void noteLevelEntered(bool bFromScratchLevel);
void noteLevelLeft();
// Whether the level last left held changes not saved under its name (they went to the
// scratch level only).
bool scratchLevelHoldsEdits();
// On a termination request: unsaved work goes to the recovery file beside the current level
// ("outpost.lev" is kept as "outpost-recovered.lev"), with a log line saying where.
void keepUnsavedWork();
std::string getRecoveryName(std::string const& level);

// Level files of the editor. Writes the level with the given bounds to the file without
// ever losing the old one (core/SafeSave.h); false, with a log line saying why and the old
// file as it was, when the save fails.
bool writeLevelFile(std::string const& name, float left, float top, float right, float bottom);
// Leaving: writes "temp.lev" with the level's bounds and, when that worked, notes the level
// left (noteLevelLeft); false when the save failed.
bool writeScratchLevelAndNoteLeft();
