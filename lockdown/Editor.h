// The level editor: places objects of every type with a ghost that follows the mouse,
// lays rows of tiles and runs of stairs, selects and moves objects, deletes them, sizes
// the level, and loads, saves and clears levels. The world stands still meanwhile.
#pragma once

#include <ostream>
#include <string>

#include "lockdown/PtrList.h"
#include "lockdown/String.h"

namespace lockdown {

class Object;

class Editor {
 public:
  enum Command { kPlace = 0, kAdjust = 1 };

  void Enter();
  void Leave();
  void Update();
  void Draw();
  // Writes the level under this name; true when it was saved. An empty name (only the
  // suffix) cancels.
  bool SaveLevel(const String& name);
  // The level as SaveLevel writes it under this name, the ghost left out.
  std::string LevelText(const String& savedName) const;
  // The level as it stands counts as loaded or saved: nothing to lose.
  void MarkUnchanged();
  // Whether the level differs from what was last loaded, saved or cleared.
  bool Changed() const;
  // True when the level holds no unsaved changes or the designer agrees to drop them.
  bool MayDropChanges(const char* question) const;
  // The name the level was last loaded or saved under; the game's level before that.
  String LevelFile() const;
  // An object is going away: no pointer of the editor may keep it.
  void Forget(const Object* object);

  void PlaceMode();
  void AdjustMode();
  void PlaceGhost();
  void DropOnTile(Object* tile);
  void PlaceStairs();
  void SelectUnderMouse();
  void MoveSelection();
  bool DeleteUnderMouse();
  void SwitchGhostType();
  void ResizeLevel();
  void ClearLevel();
  void LoadLevel();
  void DrawCommandBar();
  void NewGhost(int type);
  void RemoveGhost();
  bool IsSelected(const Object* object) const { return selection.Contains(object); }
  int SelectionCount() const { return selection.Count(); }

  int command = kPlace;
  Object* ghost = nullptr;
  Object* lastTile = nullptr;
  PtrList<Object> selection;
  // The level's text when last loaded, saved or cleared.
  std::string unchangedText;
  String loadedName;
};

// The level's records: every object but doors first, then the doors; `skip` is left out.
void WriteLevelObjects(std::ostream& out, const Object* skip = nullptr);
// A line feed and the next level's name: the known one, or the saved name's number + 1.
void WriteNextLevelName(std::ostream& out, const String& savedName);

}  // namespace lockdown
