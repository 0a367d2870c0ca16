// The editor driven by scripted keys and clicks through the game's frame loop.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "WorldHarness.h"
#include "lockdown/Editor.h"
#include "lockdown/ExitZone.h"
#include "lockdown/Guard.h"
#include "lockdown/Tile.h"
#include "lockdown/World.h"
#include "lockdown/Zizuzu.h"
#include "lockdown/platform/VirtualKeys.h"

namespace lockdown {
namespace {

class Editing : public testing::World {
 protected:
  void SetUp() override {
    World::SetUp();
    ASSERT_EQ(getcwd(here, sizeof here), here);
    ASSERT_EQ(chdir(dir.c_str()), 0);
  }
  void TearDown() override {
    ASSERT_EQ(chdir(here), 0);
    World::TearDown();
  }
  // F11 on the next frame.
  void ToggleEditor() {
    machine.PressKey(VK_F11, machine.Frame());
    Frames(1);
  }
  void Press(int vk) {
    machine.PressKey(vk, machine.Frame());
    Frames(1);
  }
  char here[4096];
};

TEST_F(Editing, RightClickOnFloorSwitchesTheCommandOnAnObjectDeletesIt) {
  Load("800 600\n4 100 100\n2 400 400 0\n-1\n");
  ToggleEditor();
  ASSERT_TRUE(game.bEditing);
  EXPECT_EQ(game.editor.command, Editor::kPlace);
  ASSERT_NE(game.editor.ghost, nullptr);
  EXPECT_EQ(game.editor.ghost->objectType, kTile);
  RightClickAt(600, 100);
  Frames(2);
  EXPECT_EQ(game.editor.command, Editor::kAdjust);
  EXPECT_STREQ(game.Message(3), "Command: ADJUST");
  EXPECT_STREQ(game.Message(2), "Dimensions: 800, 600");
  ASSERT_NE(TileAt(400, 400), nullptr);
  RightClickAt(420, 420);
  Frames(2);
  EXPECT_EQ(TileAt(400, 400), nullptr);
  EXPECT_EQ(game.editor.command, Editor::kAdjust);
  RightClickAt(600, 100);
  Frames(2);
  EXPECT_EQ(game.editor.command, Editor::kPlace);
}

TEST_F(Editing, CtrlCyclesTheGhostThroughEveryTypeAndBackToZero) {
  Load("800 600\n4 100 100\n-1\n");
  ToggleEditor();
  std::vector<int> seen;
  for (int i = 0; i < 9; ++i) {
    Press(VK_CONTROL);
    Frames(1);
    ASSERT_NE(game.editor.ghost, nullptr);
    seen.push_back(game.editor.ghost->objectType);
  }
  EXPECT_EQ(seen, (std::vector<int>{3, 4, 5, 6, 7, 8, 9, 0, 1}));
  EXPECT_EQ(objectList.Count(), 2);  // the zizuzu and one ghost
}

TEST_F(Editing, ShiftAndArrowsResizeTheLevelThreeFramesInFour) {
  Load("1200 600\n4 100 100\n-1\n");
  ToggleEditor();
  int f = machine.Frame();
  machine.HoldKey(VK_SHIFT, f, f + 7);
  machine.HoldKey(VK_LEFT, f, f + 7);
  Frames(8);
  EXPECT_EQ(game.levelWidth, 960);  // frames 1, 2, 3, 5, 6, 7
  Frames(1);
  f = machine.Frame();
  machine.HoldKey(VK_SHIFT, f, f + 20);
  machine.HoldKey(VK_LEFT, f, f + 20);
  machine.HoldKey(VK_DOWN, f, f + 2);
  Frames(21);
  EXPECT_EQ(game.levelWidth, 800);
  EXPECT_EQ(game.levelHeight, 720);
  EXPECT_EQ(input.maxY, 720);
}

TEST_F(Editing, ArrowsMoveTheSelectionOneThenFivePixels) {
  game.bEditing = true;
  Load("800 600\n4 100 100\n2 400 400 0\n0 200 560 1\n-1\n");
  game.bEditing = false;
  ToggleEditor();
  Press('A');
  ClickAt(420, 420);
  Frames(2);
  ASSERT_EQ(game.editor.SelectionCount(), 1);
  Object* tile = TileAt(400, 400);
  int f = machine.Frame();
  machine.HoldKey(VK_RIGHT, f, f + 8);
  Frames(9);
  EXPECT_EQ(tile->Box().left, 411);  // frames 1, 5 and 9
  // A lone guard can be turned and switched.
  ClickAt(420, 420);
  Frames(2);
  ClickAt(205, 500);
  Frames(2);
  Guard* guard = First<Guard>(kGuardZero);
  ASSERT_TRUE(game.editor.IsSelected(guard));
  EXPECT_STREQ(game.Message(6), "Press space to change guard's direction.");
  Press(VK_SPACE);
  EXPECT_FALSE(guard->bRight);
  Press(VK_TAB);
  Frames(1);
  EXPECT_EQ(guard->guardType, 1);
  EXPECT_STREQ(game.Message(7), "Object type: 1");
}

TEST_F(Editing, ArrowKeysLayTilesBesideTheLastOne) {
  Load("800 600\n4 100 100\n-1\n");
  ToggleEditor();
  ClickAt(200, 200);
  Frames(2);
  ASSERT_NE(TileAt(180, 180), nullptr);
  EXPECT_EQ(game.editor.lastTile, TileAt(180, 180));
  EXPECT_STREQ(game.Message(5), "Use arrow keys to place adjacent tiles.");
  Press(VK_RIGHT);
  Frames(1);
  Press(VK_DOWN);
  Frames(1);
  EXPECT_NE(TileAt(220, 180), nullptr);
  EXPECT_NE(TileAt(220, 220), nullptr);
  EXPECT_EQ(game.editor.lastTile, TileAt(220, 220));
}

TEST_F(Editing, ALevelMadeInTheEditorIsSavedLoadedAndPlayed) {
  WriteFile("blank.fly", "800 600\n-1\n");
  ASSERT_TRUE(game.LoadLevel("blank.fly"));
  ToggleEditor();
  // A floor, the zizuzu and an exit zone.
  ClickAt(60, 580);
  Frames(2);
  for (int i = 0; i < 4; ++i) {
    Press(VK_RIGHT);
    Frames(1);
  }
  for (int i = 0; i < 2; ++i) {
    Press(VK_CONTROL);
    Frames(1);
  }
  ASSERT_EQ(game.editor.ghost->objectType, kZizuzu);
  ClickAt(100, 300);
  Frames(2);
  ASSERT_NE(game.zizuzu, nullptr);
  EXPECT_EQ(game.zizuzu->Get("x"), 100);
  for (int i = 0; i < 5; ++i) {
    Press(VK_CONTROL);
    Frames(1);
  }
  ASSERT_EQ(game.editor.ghost->objectType, kExitZone);
  ClickAt(760, 400);
  int f = machine.Frame();
  machine.MoveMouse(f + 2, -160, -200);  // dragged up and left
  machine.HoldButton(0, f + 2, f + 2);
  Frames(2);
  ExitZone* zone = nullptr;
  for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next())
    if (c.Current()->objectType == kExitZone && c.Current() != game.editor.ghost)
      zone = static_cast<ExitZone*>(c.Current());
  ASSERT_NE(zone, nullptr);
  EXPECT_TRUE(zone->bPlaced);
  EXPECT_EQ(zone->zone.left, 600);
  EXPECT_EQ(zone->zone.top, 200);
  EXPECT_EQ(zone->zone.right, 760);
  EXPECT_EQ(zone->zone.bottom, 400);

  // S, then "4" and Enter at the prompt; a second Enter answers "Saved.".
  f = machine.Frame();
  machine.PressKey('S', f);
  machine.PressKey('4', f + 1);
  machine.PressKey(VK_RETURN, f + 2);
  machine.PressKey(VK_RETURN, f + 4);
  Frames(1);
  std::ifstream saved("4.fly");
  ASSERT_TRUE(saved);
  std::stringstream text;
  text << saved.rdbuf();
  EXPECT_NE(text.str().find("\n4 100 300"), std::string::npos);
  EXPECT_NE(text.str().find("\n9 600 200 760 400"), std::string::npos);
  EXPECT_NE(text.str().find("\n2 40 560 0\n2 80 560 0"), std::string::npos);
  EXPECT_EQ(text.str().substr(text.str().size() - 6), "\n5.fly");

  // Clear, then load it back.
  Press('C');
  EXPECT_EQ(game.zizuzu, nullptr);
  EXPECT_EQ(game.levelWidth, 1000);
  Frames(1);
  f = machine.Frame();
  machine.PressKey('L', f);
  machine.PressKey('4', f + 1);
  machine.PressKey(VK_RETURN, f + 2);
  Frames(1);
  ASSERT_NE(game.zizuzu, nullptr);
  EXPECT_EQ(game.levelWidth, 800);
  ASSERT_NE(game.editor.ghost, nullptr);

  // Play it: back to the game and into the exit zone.
  Frames(2);
  ToggleEditor();
  ASSERT_FALSE(game.bEditing);
  EXPECT_EQ(game.editor.ghost, nullptr);
  MouseTo(680, 300);
  for (int i = 0; i < 60 && !game.bLevelComplete; ++i) ASSERT_TRUE(game.RunFrame());
  EXPECT_EQ(game.bLevelComplete, 1);
  EXPECT_STREQ(game.banner.text, "Level Complete");
}

TEST_F(Editing, FromPlayTheEditorPlacesOnTheTilesTheLevelIsMadeOf) {
  // Level 1 is played with its floor merged into one wall 1600 wide.
  std::string shipped = std::string(here) + "/1.fly";
  ASSERT_TRUE(game.LoadLevel(shipped.c_str()));
  ASSERT_FALSE(game.bEditing);
  std::ifstream file(shipped);
  std::string line;
  int tiles = 0;
  while (std::getline(file, line)) tiles += line.rfind("2 ", 0) == 0;
  ASSERT_LT(CountOf(kTile), tiles);
  ToggleEditor();
  ASSERT_TRUE(game.bEditing);
  EXPECT_EQ(CountOf(kTile) - 1, tiles);  // and the ghost
  EXPECT_NE(TileAt(680, 760), nullptr);

  // A turret on the floor's top, over the tile from 680 to 720.
  for (int i = 0; i < 3; ++i) {
    Press(VK_CONTROL);
    Frames(1);
  }
  ASSERT_EQ(game.editor.ghost->objectType, kTurret);
  Object* turret = game.editor.ghost;
  ClickAt(710, 765);
  Frames(2);
  ASSERT_NE(game.editor.ghost, turret);
  EXPECT_EQ(ObjectBox(turret).CenterX(), 700);
  EXPECT_EQ(ObjectBox(turret).CenterY(), 754);

  // A guard on the tile from 1280 to 1320: a quarter of the tile in from its left.
  for (int i = 0; i < 5; ++i) {
    Press(VK_CONTROL);
    Frames(1);
  }
  ASSERT_EQ(game.editor.ghost->objectType, kGuardZero);
  Object* guard = game.editor.ghost;
  ClickAt(1300, 770);
  Frames(2);
  ASSERT_NE(game.editor.ghost, guard);
  EXPECT_EQ(guard->Box().left, 1290);
  EXPECT_EQ(guard->Box().bottom, 760);

  // Play merges the floor again.
  ToggleEditor();
  ASSERT_FALSE(game.bEditing);
  EXPECT_LT(CountOf(kTile), tiles);
}

TEST_F(Editing, LoadingAMissingFileKeepsTheLevelAndLeavesOneGhost) {
  Load("800 600\n4 100 100\n2 400 400 0\n-1\n");
  ToggleEditor();
  int before = objectList.Count();
  int f = machine.Frame();
  machine.PressKey('L', f);
  machine.PressKey('9', f + 1);
  machine.PressKey(VK_RETURN, f + 2);
  machine.PressKey(VK_RETURN, f + 4);  // "File not found."
  Frames(2);
  EXPECT_EQ(objectList.Count(), before);
  EXPECT_NE(game.editor.ghost, nullptr);
}

}  // namespace
}  // namespace lockdown
