// Ageing messages away empties the 20 message lines and nothing else: the status line
// of the security override keeps its text, and the walls of the level stay as play
// prepared them, as they do after a visit to the editor.
#include <gtest/gtest.h>

#include "WorldHarness.h"
#include "lockdown/Guard.h"
#include "lockdown/Tile.h"
#include "lockdown/platform/VirtualKeys.h"

namespace lockdown {
namespace {

using AgeingMessages = testing::World;

TEST_F(AgeingMessages, EmptyTheMessageLinesAndLeaveStatusAndWallsAlone) {
  // A floor of five equal tiles merged into one wall, with a tile of another look on its
  // left end, and a guard standing on the floor looking away from the far zizuzu.
  Load(
      "3000 600\n2 0 400 0\n2 40 400 0\n2 80 400 0\n2 120 400 0\n2 160 400 0\n2 0 360 1\n"
      "0 120 400 0\n4 2900 100\n-1\n");
  Tile* floor = nullptr;
  for (PtrList<Object>::Cursor c(wallList); !c.AtEnd(); c.Next())
    if (c.Current()->Get("top") == 400) floor = static_cast<Tile*>(c.Current());
  ASSERT_NE(floor, nullptr);
  ASSERT_EQ(floor->rect.right, 200);
  ASSERT_EQ(floor->Get("bTopEdge"), 1);  // merged: exposed where any of its tiles was
  Guard* guard = First<Guard>(kGuardZero);
  ASSERT_NE(guard, nullptr);

  game.SetMessage(4, "Saved.");
  game.SetStatus("This computer's security level:  3");
  Frames(201);
  EXPECT_EQ(game.messageAge, -1);
  EXPECT_STREQ(game.Message(4), "");
  EXPECT_STREQ(game.statusLine, "This computer's security level:  3");
  EXPECT_EQ(floor->rect.right, 200);
  EXPECT_EQ(floor->Get("bTopEdge"), 1);
  Frames(20);
  EXPECT_EQ(guard->Get("bottom"), 400);  // still standing on the floor

  // A visit to the editor asks every wall for its edges again; the merged floor keeps its
  // exposed top.
  for (int i = 0; i < 2; ++i) {
    machine.PressKey(VK_F11, machine.Frame());
    Frames(2);
  }
  ASSERT_FALSE(game.bEditing);
  EXPECT_EQ(floor->Get("bTopEdge"), 1);
  Frames(20);
  EXPECT_EQ(guard->Get("bottom"), 400);
}

}  // namespace
}  // namespace lockdown
