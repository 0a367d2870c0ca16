// The game played headless as a player would: the mouse steers the zizuzu, the left
// button fires and clicks, the right button cancels.
#include <gtest/gtest.h>

#include <cstring>

#include "WorldHarness.h"
#include "lockdown/Bullet.h"
#include "lockdown/Door.h"
#include "lockdown/ExitZone.h"
#include "lockdown/Guard.h"
#include "lockdown/Turret.h"
#include "lockdown/Zizuzu.h"
#include "lockdown/platform/VirtualKeys.h"

namespace lockdown {
namespace {

class Play : public testing::World {
 protected:
  Zizuzu* Z() { return static_cast<Zizuzu*>(game.zizuzu); }
  int Bullets(int owner) {
    int n = 0;
    for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next())
      if (c.Current()->objectType == kBullet && !c.Current()->bDestroyed)
        n += owner < 0 || static_cast<Bullet*>(c.Current())->ownerType == owner;
    return n;
  }
  // Clicks at a level point and runs the two frames of the click.
  void Click(int x, int y) {
    ClickAt(x, y);
    Frames(2);
  }
  void RightClick(int x, int y) {
    RightClickAt(x, y);
    Frames(2);
  }
};

// A row of tiles with its top at y = 560.
std::string Floor(int from, int to) {
  std::string rows;
  for (int x = from; x <= to; x += 40) rows += "2 " + std::to_string(x) + " 560 0\n";
  return rows;
}
const std::string kFloor800 = Floor(0, 760);

TEST_F(Play, TheZizuzuFliesTowardTheMouse) {
  Load("800 600\n4 100 300\n-1\n");
  MouseTo(400, 300);
  Frames(1);
  EXPECT_EQ(Z()->Get("x"), 112);  // 12 pixels a frame
  Frames(30);
  EXPECT_EQ(Z()->Get("x"), 400);
  EXPECT_EQ(Z()->Get("y"), 300);
}

TEST_F(Play, AGuardSeesTheZizuzuComingAndShootsAtIt) {
  Load("1600 600\n4 100 300\n0 900 560 0\n" + Floor(0, 1560) + "-1\n");
  Guard* guard = First<Guard>(kGuardZero);
  Frames(3);
  EXPECT_FALSE(guard->bSeesZizuzu);
  EXPECT_EQ(Bullets(0), 0);
  MouseTo(400, 300);
  Frames(20);
  EXPECT_TRUE(guard->bSeesZizuzu);
  EXPECT_FALSE(guard->bRight);
  EXPECT_EQ(guard->sawFlyTimer, 500);
  EXPECT_GT(Bullets(0), 0);
  EXPECT_TRUE(guard->IsFiring());
  Frames(60);
  EXPECT_TRUE(Z()->health < 3 || Z()->lives < 3);  // it has been hit
}

TEST_F(Play, HoldingTheLeftButtonShootsTheGuardTheTargeterPicked) {
  // Close enough for the guard to stand its ground rather than walk.
  Load("1600 600\n4 820 250\n0 900 560 0\n" + Floor(0, 1560) + "-1\n");
  Guard* guard = First<Guard>(kGuardZero);
  machine.HoldButton(0, machine.Frame(), machine.Frame() + 150);
  bool bAimed = false;
  for (int i = 0; i < 150 && guard->state != Guard::kDead; ++i) {
    ASSERT_TRUE(game.RunFrame());
    bAimed = bAimed || Z()->targeter.target == guard;
  }
  EXPECT_TRUE(bAimed);
  EXPECT_EQ(guard->state, Guard::kDead);
  EXPECT_EQ(guard->Get("IsActive"), 0);
  EXPECT_EQ(guard->rect.Height(), 20);  // the body on the floor
}

TEST_F(Play, ADoorOpensFromAComputerMenuAndARightClickEndsTheOverride) {
  Load(std::string("800 600\n4 100 300\n7 0 11111 510 300\n") + kFloor800 +
       "6 600 300 619 560 1 2 0 0\n-1\n");
  Door* door = First<Door>(kDoor);
  Click(315, 530);  // the terminal
  EXPECT_TRUE(game.computer.bTerminalChosen);
  EXPECT_EQ(game.cursorMode, 2);
  EXPECT_TRUE(Z()->bOverride);
  EXPECT_STREQ(game.statusLine, "This computer's security level:  0");
  EXPECT_EQ(machine.LastFrame().At(700, 590), 251);  // the status bar
  int zx = static_cast<int>(Z()->Get("x"));
  Click(610, 400);  // the door
  EXPECT_EQ(game.cursorMode, 1);
  EXPECT_EQ(Z()->Get("x"), zx);  // the zizuzu stands still meanwhile
  const MenuItem& item = game.DeviceMenuAt(kDoorMenu).Item(0);
  EXPECT_EQ(item.rect.left, 629);
  EXPECT_EQ(item.rect.top, 290);
  Click(item.rect.left + 5, item.rect.top + 5);
  EXPECT_EQ(door->state, Door::kOpening);
  EXPECT_EQ(game.cursorMode, 2);
  EXPECT_STREQ(game.statusLine, "Open/Close - 0");
  Frames(600);
  EXPECT_EQ(door->state, Door::kOpen);
  EXPECT_EQ(door->rect.bottom, 301);
  RightClick(200, 200);
  EXPECT_FALSE(game.computer.bTerminalChosen);
  EXPECT_EQ(game.cursorMode, 0);
  EXPECT_FALSE(Z()->bOverride);
}

TEST_F(Play, ALowTerminalIsRefusedAndClickingBesideDevicesDoesNothing) {
  Load(std::string("800 600\n4 100 300\n7 1 22222 510 300\n") + kFloor800 + "5 500 300 1\n-1\n");
  Turret* turret = First<Turret>(kTurret);
  Click(315, 530);
  Click(700, 100);  // beside every device
  EXPECT_EQ(game.cursorMode, 2);
  EXPECT_EQ(game.computer.openMenu, -1);
  Click(500, 300);
  ASSERT_EQ(game.cursorMode, 1);
  const MenuItem& item = game.DeviceMenuAt(kTurretMenu).Item(0);
  Click(item.rect.left + 5, item.rect.top + 5);
  EXPECT_STREQ(game.statusLine, "Insufficient security level.  This computer's security level:  1");
  EXPECT_EQ(game.messageAge, 0);
  EXPECT_TRUE(turret->bActive);
}

TEST_F(Play, OpenAllDoorsOpensEveryClosedDoor) {
  Load(std::string("800 600\n4 100 300\n7 0 33333 510 300\n") + kFloor800 +
       "6 400 300 419 560 1 2 0 0\n6 500 300 519 560 0 2 1 0\n6 600 300 619 560 1 0 2 0\n-1\n");
  Click(315, 530);
  const MenuItem& item = game.terminalMenu.Item(2);
  EXPECT_EQ(item.rect.top, 50);
  Click(item.rect.left + 5, item.rect.top + 5);
  int opening = 0, open = 0;
  for (PtrList<Object>::Cursor c(doorList); !c.AtEnd(); c.Next()) {
    int state = static_cast<Door*>(c.Current())->state;
    opening += state == Door::kOpening;
    open += state == Door::kOpen;
  }
  EXPECT_EQ(opening, 2);
  EXPECT_EQ(open, 1);
}

TEST_F(Play, ATurretUnderManualControlFiresOnlyWhileTheButtonIsHeld) {
  Load(std::string("800 600\n4 100 300\n7 3 44444 510 300\n") + kFloor800 + "5 500 300 1\n-1\n");
  Turret* turret = First<Turret>(kTurret);
  Click(315, 530);
  Click(500, 300);
  const MenuItem& off = game.DeviceMenuAt(kTurretMenu).Item(0);
  Click(off.rect.left + 5, off.rect.top + 5);
  EXPECT_FALSE(turret->bActive);
  Click(500, 300);
  const MenuItem& manual = game.DeviceMenuAt(kTurretMenu).Item(1);
  Click(manual.rect.left + 5, manual.rect.top + 5);
  EXPECT_TRUE(turret->bManual);
  EXPECT_TRUE(Z()->bOverrideEngaged);
  EXPECT_EQ(game.cameraMode, 1);
  Frames(1);
  EXPECT_TRUE(turret->bActive);  // switched on again by taking it over
  EXPECT_STREQ(game.statusLine, "Security Override Activated (Right-Click to Cancel)");
  // Shots of earlier frames may still fly, but none are added.
  int flying = Bullets(kTurret);
  Frames(10);
  EXPECT_LE(Bullets(kTurret), flying);
  flying = Bullets(kTurret);
  MouseTo(600, 100);
  machine.HoldButton(0, machine.Frame(), machine.Frame() + 10);
  Frames(10);
  EXPECT_GT(Bullets(kTurret), flying);
  EXPECT_EQ(Bullets(kZizuzu), 0);
  RightClick(600, 100);
  EXPECT_FALSE(turret->bManual);
  EXPECT_EQ(game.cursorMode, 2);
  EXPECT_TRUE(Z()->bOverride);
  RightClick(600, 100);
  EXPECT_EQ(game.cursorMode, 0);
}

TEST_F(Play, ReachingTheMiddleOfTheExitZoneCompletesTheLevel) {
  WriteFile("next.fly", "900 700\n4 50 50\n-1\n");
  Load("800 600\n4 100 300\n9 600 200 760 400\n-1\n\n" + PathOf("next"));
  // The outer quarter of the zone is not enough.
  MouseTo(612, 210);
  Frames(60);
  EXPECT_EQ(game.bLevelComplete, 0);
  MouseTo(680, 300);
  int frames = 0;
  while (!game.bLevelComplete && frames < 40) {
    ASSERT_TRUE(game.RunFrame());
    ++frames;
  }
  ASSERT_EQ(game.bLevelComplete, 1);
  EXPECT_STREQ(game.banner.text, "Level Complete");
  Frames(31);
  EXPECT_EQ(game.levelWidth, 900);
  EXPECT_EQ(game.bLevelComplete, 0);
}

TEST_F(Play, ANextLevelThatIsNotThereIsLoggedAndTheEndingFollows) {
  // As the editor saves a numbered level: the next number, which no file has.
  Load("800 600\n4 100 300\n9 600 200 760 400\n-1\n\n" + PathOf("4"));
  MouseTo(680, 300);
  for (int i = 0; i < 100 && !game.bLevelComplete; ++i) ASSERT_TRUE(game.RunFrame());
  ASSERT_EQ(game.bLevelComplete, 1);
  // "The End" in its colour, from the ending's 26th frame.
  int theEnd = -1;
  machine.onPresent = [&](int frame, const platform::Surface& s) {
    int lit = 0;
    for (int y = 250; y < 265; ++y)
      for (int x = 350; x < 430; ++x) lit += s.At(x, y) == 251;
    if (theEnd < 0 && lit > 10) theEnd = frame;
  };
  int const start = machine.Frame();
  machine.PressKey(VK_ESCAPE, start + 100);
  bool bRunning = true;
  for (int i = 0; i < 100 && bRunning; ++i) bRunning = game.RunFrame();
  EXPECT_FALSE(bRunning);
  EXPECT_GT(theEnd, start);
  EXPECT_NE(Log().find("Error: next level " + PathOf("4.fly") + " could not be loaded"),
            std::string::npos)
      << Log();
}

TEST_F(Play, AHitWhileProtectedCostsNothingButFlashes) {
  Load("800 600\n4 100 300\n-1\n");
  Z()->Set("TakeHit", 3);
  Frames(1);
  EXPECT_TRUE(Z()->bDead);
  EXPECT_EQ(Z()->lives, 2);
  Frames(60);
  EXPECT_FALSE(Z()->bDead);
  EXPECT_EQ(Z()->health, 3);
  EXPECT_GT(Z()->invulnerableFrames, 0);
  flashIndex = -1;
  Z()->Set("TakeHit", 1);
  EXPECT_EQ(Z()->health, 3);
  EXPECT_EQ(flashIndex, 0);
  // The left button held while protected does not fire.
  machine.HoldButton(0, machine.Frame(), machine.Frame() + 20);
  Frames(20);
  EXPECT_EQ(Bullets(-1), 0);
  Z()->invulnerableFrames = 0;
  Z()->Set("TakeHit", 1);
  EXPECT_EQ(Z()->health, 2);
}

// What the player sees: a life lost per death, "Game Over" on its own background after the
// third, and then the level as it starts, the zizuzu back at its start with all its lives.
TEST_F(Play, ThreeDeathsThenGameOverAndTheLevelStartsAgain) {
  Load("800 600\n4 100 300\n-1\n", "start.fly");
  game.levelName = PathOf("start.fly").c_str();
  // Flown away from the start first, so that the start shows when the level is loaded again.
  MouseTo(400, 300);
  Frames(30);
  ASSERT_EQ(Z()->Get("x"), 400);
  int gameOverFrames = 0;
  machine.onPresent = [&](int, const platform::Surface& image) {
    gameOverFrames += image.At(0, 0) == 10 && image.At(799, 599) == 10;
  };
  for (int death = 1; death <= 3; ++death) {
    ASSERT_EQ(Z()->Get("lives"), 4 - death);
    Z()->invulnerableFrames = 0;
    Z()->Set("TakeHit", 3);
    Frames(1);
    EXPECT_EQ(Z()->Get("lives"), 3 - death) << "death " << death;
    EXPECT_EQ(gameOverFrames, 0) << "death " << death;
    if (death < 3) {
      Frames(60);
      EXPECT_EQ(Z()->Get("dyingFrames"), 0) << "death " << death;
    }
  }
  // The last death runs out, "Game Over" is shown, and the level is loaded again.
  Frames(61);
  machine.onPresent = nullptr;
  EXPECT_GT(gameOverFrames, 20);
  ASSERT_NE(game.zizuzu, nullptr);
  EXPECT_EQ(Z()->Get("lives"), 3);
  EXPECT_EQ(Z()->Get("dyingFrames"), 0);
  EXPECT_EQ(Z()->Get("x"), 100);
  EXPECT_EQ(Z()->Get("y"), 300);
}

TEST_F(Play, TheShippedLevelsArePlayableAndChainToTheEnding) {
  const char* names[] = {"1.fly", "2.fly", "3.fly"};
  const char* nexts[] = {"2.fly", "3.fly", ""};
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(game.LoadLevel(names[i])) << names[i];
    EXPECT_STREQ(game.nextLevelName.CStr(), nexts[i]);
    ASSERT_NE(game.zizuzu, nullptr) << names[i];
    for (int type : {kGuardZero, kTile, kTurret, kDoor, kTerminal, kTank, kExitZone})
      EXPECT_GT(CountOf(type), 0) << names[i] << " type " << type;
    // Flown about for a while: the machines fight back, nothing breaks.
    MouseTo(game.levelWidth - 100, 100);
    Frames(150);
    // Then straight into the middle of the exit zone.
    ExitZone* zone = First<ExitZone>(kExitZone);
    Z()->PlaceAt(zone->zone.CenterX(), zone->zone.CenterY());
    input.SetPosition(zone->zone.CenterX(), zone->zone.CenterY());
    Frames(1);
    EXPECT_EQ(game.bLevelComplete, 1) << names[i];
  }
  // After the last level the ending is shown; Escape leaves it and the game.
  machine.PressKey(VK_ESCAPE, machine.Frame() + 40);
  bool bRunning = true;
  for (int i = 0; i < 40 && bRunning; ++i) bRunning = game.RunFrame();
  EXPECT_FALSE(bRunning);
}

}  // namespace
}  // namespace lockdown
