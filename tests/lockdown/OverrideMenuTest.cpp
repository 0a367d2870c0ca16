// The security override in a level larger than the screen: wherever the player moves the
// mouse, the terminal menu stays on screen and answers a click.
#include <gtest/gtest.h>

#include <string>

#include "WorldHarness.h"
#include "lockdown/Camera.h"
#include "lockdown/Door.h"
#include "lockdown/Zizuzu.h"

namespace lockdown {
namespace {

using OverrideMenu = testing::World;

TEST_F(OverrideMenu, StaysOnScreenAndClickableWhereverTheMouseGoes) {
  // A 2400 by 1800 level: the zizuzu and a terminal in the middle, a door far away.
  std::string level = "2400 1800\n4 1200 900\n7 0 12345 1000 1200\n";
  for (int x = 1000; x <= 1400; x += 40) level += "2 " + std::to_string(x) + " 1050 0\n";
  level += "2 2000 1600 0\n6 2000 1640 2019 1760 1 2 0 0\n-1\n";
  Load(level);
  Door* door = First<Door>(kDoor);
  ASSERT_TRUE(door);
  Frames(2);
  ClickAt(1215, 1025);  // the terminal
  Frames(2);
  ASSERT_TRUE(game.computer.bTerminalChosen);
  ASSERT_TRUE(game.terminalMenu.bOpen);

  const struct {
    const char* edge;
    int x, y;
  } kEdges[] = {{"left", -50, 900},       {"right", 2500, 900},      {"top", 1200, -50},
                {"bottom", 1200, 1900},   {"top left", -50, -50},    {"bottom right", 2500, 1900},
                {"top right", 2500, -50}, {"bottom left", -50, 1900}};
  for (const auto& edge : kEdges) {
    SCOPED_TRACE(edge.edge);
    // Over several frames, as a hand would move, then a little further past the edge.
    for (int step = 1; step <= 4; ++step) {
      MouseTo(input.x + (edge.x - input.x) * step / 4, input.y + (edge.y - input.y) * step / 4);
      Frames(1);
    }
    const Rect& view = camera.view;
    // The cursor is on screen (or on its edge, where the mouse stops at the level's
    // size), so the player can see where it points.
    EXPECT_GE(input.x, view.left);
    EXPECT_LE(input.x, view.right);
    EXPECT_GE(input.y, view.top);
    EXPECT_LE(input.y, view.bottom);
    for (int i = 0; i < game.terminalMenu.ItemCount(); ++i) {
      Rect r = game.terminalMenu.Item(i).rect;
      r.Offset(-view.left, -view.top);
      EXPECT_GE(r.left, 0) << i;
      EXPECT_GE(r.top, 0) << i;
      EXPECT_LE(r.right, 800) << i;
      EXPECT_LE(r.bottom, 580) << i;  // above the status bar
      // The frame shows the item's fill where its label leaves it clear.
      EXPECT_EQ(machine.LastFrame().At(r.right - 2, r.bottom - 2), game.terminalMenu.normalColor)
          << i;
    }
  }
  // From the far corner, the menu is still there to click: "Open all doors".
  const MenuItem& open = game.terminalMenu.Item(2);
  ClickAt(open.rect.left + 5, open.rect.top + 5);
  Frames(2);
  EXPECT_EQ(door->state, Door::kOpening);
  EXPECT_STREQ(game.statusLine, "Open all doors - 0");
  // A right click ends the override, and the view follows the zizuzu again.
  RightClickAt(input.x, input.y);
  Frames(2);
  EXPECT_FALSE(game.computer.bTerminalChosen);
  EXPECT_EQ(game.cameraMode, 0);
}

}  // namespace
}  // namespace lockdown
