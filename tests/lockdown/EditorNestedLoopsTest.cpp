// Placing an exit zone or a run of stairs runs a loop of its own frames inside one editor
// frame. The click that ends such a loop belongs to it: a right click that cancels the
// exit zone must not also delete what lies under the mouse, or switch the command.
#include <gtest/gtest.h>

#include "WorldHarness.h"
#include "lockdown/ExitZone.h"
#include "lockdown/platform/VirtualKeys.h"

namespace lockdown {
namespace {

using EditorNestedLoops = testing::World;

TEST_F(EditorNestedLoops, TheRightClickThatCancelsAnExitZoneDeletesNothing) {
  Load("800 600\n4 100 100\n2 400 400 0\n-1\n");
  machine.PressKey(VK_F11, machine.Frame());
  Frames(1);
  ASSERT_TRUE(game.bEditing);
  for (int i = 0; i < 7; ++i) {
    machine.PressKey(VK_CONTROL, machine.Frame());
    Frames(2);
  }
  ASSERT_EQ(game.editor.ghost->objectType, kExitZone);
  int tiles = 0;
  ClickAt(200, 200);
  int f = machine.Frame();
  machine.MoveMouse(f + 2, 220, 220);   // dragged onto the tile
  machine.HoldButton(1, f + 2, f + 2);  // and cancelled there
  Frames(2);
  for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next())
    tiles += c.Current()->objectType == kTile && !c.Current()->bDestroyed;
  EXPECT_EQ(tiles, 1);
  EXPECT_EQ(game.editor.command, Editor::kPlace);
  ASSERT_NE(game.editor.ghost, nullptr);
  EXPECT_EQ(game.editor.ghost->objectType, kExitZone);
  EXPECT_FALSE(static_cast<ExitZone*>(game.editor.ghost)->bPlaced);
}

}  // namespace
}  // namespace lockdown
