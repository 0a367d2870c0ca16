// Crossing the finish line of the last episode's last level: the win screen starts in that frame,
// before the player's ship fires or moves, and Space on it ends the program with status 0.
#include <gtest/gtest.h>

#include <string>

#include "core/TypedLists.h"
#include "game/Console.h"
#include "game/Game.h"
#include "game/Gun.h"
#include "game/Level.h"
#include "game/Ship.h"
#include "presentation/Keyboard.h"
#include "support/QorScreen.h"
#include "support/ScriptedInput.h"

TEST(WinScreenFrameTest, TheLastFinishLineFiresNothingMovesNothingAndSpaceQuits) {
  ScriptedInput input;
  startQorInAWindow();
  int status = -1;
  setExitHook([&status](int s) { status = s; });

  input.tap(']');
  input.nextFrame();
  runFrame();
  ASSERT_EQ(getCurrLevel(), "gauntlet.lev");
  ASSERT_NE(player, nullptr);
  // Thrust and the fire button held from the frame before.
  input.press('w');
  input.pressLeft();
  input.nextFrame();
  static_cast<SimpleRect*>(player)->setCenter(800, 420);
  player->setVelocity(Point(0, 0));
  runFrame();
  // The finish line lies between 420 and 380; the gun is ready.
  static_cast<SimpleRect*>(player)->setCenter(800, 380);
  Gun* gun = player->getFirstGun();
  while (gun->getShotCycles() > 0) gun->process();
  int shotsBefore = projectiles.size();
  // As if this were the last level of the last episode.
  iEpisode = episodes.size() - 1;
  setLevelIndex(3);
  ASSERT_TRUE(onLastLevel());
  ASSERT_TRUE(onLastEpisode());
  // Space comes in the win screen's first frame.
  input.nextFrame();
  input.press(' ');
  runFrame();

  EXPECT_EQ(status, 0);
  EXPECT_EQ(info[0], "(press space to quit)");
  EXPECT_EQ(info[1], "YOU WIN!!!");
  EXPECT_EQ(info[9], "YOU WIN!!!");
  EXPECT_EQ(projectiles.size(), shotsBefore);
  EXPECT_EQ(gun->getShotCycles(), 0);
  Point center = player->getCenter();
  EXPECT_DOUBLE_EQ(center.x, 800);
  EXPECT_DOUBLE_EQ(center.y, 380);
  setExitHook(nullptr);
}
