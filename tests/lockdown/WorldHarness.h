// A world to play in: prototypes, computer menus and the staged graphics, and levels
// written by the test, driven frame by frame through the game's own frame loop.
#pragma once

#include <fstream>
#include <string>

#include "Harness.h"
#include "lockdown/Editor.h"
#include "lockdown/Input.h"
#include "lockdown/Object.h"
#include "lockdown/platform/VirtualKeys.h"

namespace lockdown::testing {

class World : public Headless {
 protected:
  void SetUp() override {
    Headless::SetUp();
    game.BuildComputerMenus();
    CreatePrototypes();
    ASSERT_TRUE(game.LoadGraphics());
  }
  // Writes the level text under the name and loads it.
  void Load(const std::string& text, const std::string& name = "t.fly") {
    WriteFile(name, text);
    ASSERT_TRUE(game.LoadLevel(PathOf(name).c_str()));
  }
  template <class T>
  T* First(int type) {
    for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next())
      if (c.Current()->objectType == type && !c.Current()->bDestroyed)
        return static_cast<T*>(c.Current());
    return nullptr;
  }
  int CountOf(int type) {
    int n = 0;
    for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next())
      n += c.Current()->objectType == type && !c.Current()->bDestroyed;
    return n;
  }
  void Frames(int n) {
    for (int i = 0; i < n; ++i) ASSERT_TRUE(game.RunFrame());
  }
  // The mouse moves to a level point during the next frame.
  void MouseTo(int x, int y) { machine.MoveMouse(machine.Frame(), x - input.x, y - input.y); }
  // A left click: pressed during the next frame, released (and so clicked) on the one after.
  void ClickAt(int x, int y) {
    MouseTo(x, y);
    machine.HoldButton(0, machine.Frame(), machine.Frame());
  }
  void RightClickAt(int x, int y) {
    MouseTo(x, y);
    machine.HoldButton(1, machine.Frame(), machine.Frame());
  }
  // The tile (not the editor's ghost) whose box starts at the point, or null.
  Object* TileAt(int left, int top) {
    for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next()) {
      Object* o = c.Current();
      if (!o->bDestroyed && o != game.editor.ghost && o->objectType == kTile &&
          o->Box().left == left && o->Box().top == top)
        return o;
    }
    return nullptr;
  }
  // Saves under the name as the editor does, answering its boxes as a player would: "Y" to
  // overwrite an old file, then Enter for "Saved." or "Could not save the level.".
  bool SaveAsTheEditorDoes(const std::string& name) {
    FlipScreen();  // keys of an earlier save let go
    int f = machine.Frame();
    if (std::ifstream(name)) {
      machine.PressKey('Y', f + 1);
      f += 2;
    }
    machine.PressKey(VK_RETURN, f + 1);
    return game.editor.SaveLevel(name.c_str());
  }
};

}  // namespace lockdown::testing
