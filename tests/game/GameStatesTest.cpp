// The game object and its states driven through the real start-up and frame loop, over data
// files and levels made for each test: the first state, victory and defeat checks, the level
// time lines, the hand-over to command mode, the camera behind the player and the progress bar.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "core/TypedLists.h"
#include "game/Console.h"
#include "game/Game.h"
#include "game/GameStates.h"
#include "game/Level.h"
#include "game/Projectile.h"
#include "game/QorObjMan.h"
#include "game/Ship.h"
#include "presentation/Mouse.h"
#include "presentation/View.h"
#include "support/QorScreen.h"
#include "support/ScriptedInput.h"

namespace {
std::string const playerRecord =
    "PlayerShip\nplayer\n500 800\n<angle>\n0\n</angle>\nPathFollower\n0\n";
std::string const enemyRecord =
    "HoloDisplay\nglobal_pirate\n500 100\n<angle>\n180\n</angle>\nPathFollower\n0\n";

// A level of 1000 by 1000 with the given level time and object records, and no lines.
std::string level(int time, std::string const& objects) {
  return "<triggerRoot> </triggerRoot>\n0 0 1000 1000\n" + std::to_string(time) + "\n\n" + objects +
         "END_OBJECTS\n0\n0\n";
}

// Starts the game in a folder of its own: the shipped images, sounds, font, class table and ship
// and weapon types, with the episodes, settings and levels of the test.
class GameStatesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(getcwd(runDir, sizeof runDir), runDir);
    char pattern[] = "/tmp/qorstatesXXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    std::string const run = runDir;
    std::string command = "cd " + dir + " && for f in " + run +
                          "/*; do case \"$f\" in *.lev|*/xml|*/C:) ;; *) ln -s \"$f\" . ;; esac; "
                          "done && mkdir -p C:/C xml && ln -s " +
                          run + "/xml/ships.xml " + run + "/xml/weapons.xml xml/";
    ASSERT_EQ(system(command.c_str()), 0);
    ASSERT_EQ(chdir(dir.c_str()), 0);
  }
  void TearDown() override {
    ASSERT_EQ(chdir(runDir), 0);
    std::string command = "rm -rf " + dir;
    ASSERT_EQ(system(command.c_str()), 0);
  }
  void write(std::string const& name, std::string const& text) {
    std::ofstream out(name.c_str());
    out << text;
  }
  // The episodes (level elements) and settings of the data files, then the real start-up.
  void start(std::string const& episodes, std::string const& settings = "") {
    write("xml/test.xml", "<xml> " + settings + " " + episodes + " </xml>");
    startQorInAWindow();
  }
  void frames(int count) {
    for (int i = 0; i < count; i++) runFrame();
  }

  char runDir[4096];
  std::string dir;
  ScriptedInput input;
};
}  // namespace

TEST_F(GameStatesTest, CommandModeFromTheDataStartsInCommandModeOverTheWholeLevel) {
  write("a.lev", level(-1, playerRecord + enemyRecord));
  start("<episode> <level> <name> a.lev </name> </level> </episode>",
        "<command_mode> 1 </command_mode>");
  EXPECT_EQ(gameState, &commandState);
  EXPECT_FLOAT_EQ(view.getWidth(), 1000);
  EXPECT_FLOAT_EQ(view.getHeight(), 1000);
  EXPECT_NEAR(view.getCenter().x, 500, 1);
  EXPECT_NEAR(view.getCenter().y, 500, 1);
  EXPECT_EQ(mouse.maxX, 1000);
  EXPECT_EQ(mouse.maxY, 1000);
}

TEST_F(GameStatesTest, AKillAllLevelWithOnlyThePlayerIsLeftInItsFirstFrame) {
  write("alone.lev", level(-1, playerRecord));
  write("b.lev", level(-1, playerRecord + enemyRecord));
  start(
      "<episode> <level> <name> alone.lev </name> </level> "
      "<level> <name> b.lev </name> </level> </episode>");
  EXPECT_EQ(getCurrLevel(), "alone.lev");
  runFrame();
  EXPECT_EQ(getCurrLevel(), "b.lev");
  EXPECT_EQ(iLevel, 2);
}

// The enemy left alone is no victory: a level without a player ship (one the editor cleared)
// plays on.
TEST_F(GameStatesTest, AKillAllLevelWithOnlyAnEnemyIsNotWon) {
  write("enemy.lev", level(-1, enemyRecord));
  write("b.lev", level(-1, playerRecord + enemyRecord));
  start(
      "<episode> <level> <name> enemy.lev </name> </level> "
      "<level> <name> b.lev </name> </level> </episode>");
  frames(3);
  EXPECT_EQ(getCurrLevel(), "enemy.lev");
  EXPECT_EQ(allShips.size(), 1);
}

// A swapped level file may hold bounds as large as the coordinates go (larger ones are
// refused); command mode shows them whole and the mouse keeps sane ints over them.
TEST_F(GameStatesTest, CommandModeOverHugeBoundsKeepsTheMouseInRange) {
  write("huge.lev", "<triggerRoot> </triggerRoot>\n-1e7 -1e7 1e7 1e7\n-1\n\n" + playerRecord +
                        enemyRecord + "END_OBJECTS\n0\n0\n");
  input.moveTo(0, 0);
  start("<episode> <level> <name> huge.lev </name> </level> </episode>",
        "<command_mode> 1 </command_mode>");
  ASSERT_EQ(gameState, &commandState);
  runFrame();
  EXPECT_EQ(mouse.maxX, 20000000);
  EXPECT_EQ(mouse.maxY, 20000000);
  EXPECT_EQ(mouse.x, -10000000);
  EXPECT_EQ(mouse.y, -10000000);
}

// The last level of the last episode won by destruction: the win screen runs in that frame,
// and Space on it ends the program with status 0. The last level of an earlier episode leads on.
TEST_F(GameStatesTest, AKillAllVictoryOnTheLastLevelOfTheLastEpisodeShowsTheWinScreen) {
  write("alone.lev", level(-1, playerRecord));
  write("b.lev", level(-1, playerRecord + enemyRecord));
  start(
      "<episode> <level> <name> b.lev </name> </level> <level> <name> alone.lev </name> </level> "
      "</episode> <episode> <level> <name> alone.lev </name> </level> </episode>");
  int status = -1;
  std::vector<std::string> shown;
  setExitHook([&status, &shown](int s) {
    status = s;
    shown = info;
  });
  // Episode one's last level is won: on to episode two, whose only level is the last one.
  input.tap(']');
  input.nextFrame();
  runFrame();
  EXPECT_EQ(iEpisode, 1);
  EXPECT_EQ(getCurrLevel(), "alone.lev");
  EXPECT_EQ(status, -1);
  // Space comes in the win screen's first frame.
  input.nextFrame();
  input.press(' ');
  runFrame();
  setExitHook(nullptr);
  EXPECT_EQ(status, 0);
  ASSERT_EQ(shown.size(), 20u);
  EXPECT_EQ(shown[0], "(press space to quit)");
  EXPECT_EQ(shown[1], "YOU WIN!!!");
  EXPECT_EQ(shown[19], "YOU WIN!!!");
}

TEST_F(GameStatesTest, TheLevelTimeLinesFollowTheTimeLeft) {
  struct Case {
    int time;
    char const* firstFrame;
    char const* secondFrame;
    int after;
  } const cases[] = {
      {-1, " ", " ", -1},
      {0, "You've been supernova'd!", "You've been supernova'd!", -1},
      {300, "Level Time: 300", "Level Time: 299", 298},
  };
  std::string episodes = "<episode>";
  for (Case const& c : cases) {
    std::string const name = "t" + std::to_string(c.time + 1) + ".lev";
    write(name, level(c.time, playerRecord + enemyRecord));
    episodes += " <level> <name> " + name + " </name> </level>";
  }
  start(episodes + " </episode>");
  for (Case const& c : cases) {
    SCOPED_TRACE(c.time);
    clearInfo();
    runFrame();
    EXPECT_EQ(info[5], c.firstFrame);
    runFrame();
    EXPECT_EQ(info[5], c.secondFrame);
    EXPECT_EQ(getLevelTime(), c.after);
    input.tap(']');
    input.nextFrame();
  }
}

TEST_F(GameStatesTest, ALevelTimeOf300RunsOutAfter300FramesOfPlay) {
  write("a.lev", level(300, playerRecord + enemyRecord));
  start("<episode> <level> <name> a.lev </name> </level> </episode>");
  // The enemy's shots must not end the flight: a reload would start the time again.
  for (int i = 0; i < 300; i++) {
    player->setHealth(7);
    runFrame();
  }
  EXPECT_EQ(info[5], "Level Time: 1");
  EXPECT_EQ(getLevelTime(), 0);
  runFrame();
  EXPECT_EQ(info[5], "You've been supernova'd!");
  EXPECT_EQ(getLevelTime(), -1);
}

TEST_F(GameStatesTest, WithCommandModeSetThePlayStateHandsOverWhenThePlayerShipIsGone) {
  write("a.lev", level(-1, playerRecord + enemyRecord + enemyRecord));
  start("<episode> <level> <name> a.lev </name> </level> </episode>");
  runFrame();
  EXPECT_EQ(info[6].substr(0, 8), "Health: ");
  setCommandMode(1);
  objMan.deleteObject(player, true);
  ASSERT_EQ(player, nullptr);
  runFrame();
  EXPECT_EQ(gameState, &commandState);
  // Leaving the play state cleared the info lines (to one blank each); no health line came back.
  EXPECT_EQ(info[6], " ");
}

TEST_F(GameStatesTest, SpaceInCommandModeTurnsToTheWholeLevelAndClearsTheHealthLine) {
  write("a.lev", level(-1, playerRecord + enemyRecord));
  start("<episode> <level> <name> a.lev </name> </level> </episode>");
  runFrame();
  ASSERT_FALSE(info[6].empty());
  // Without command mode Space does not leave play.
  input.tap(' ');
  input.nextFrame();
  runFrame();
  EXPECT_EQ(gameState, &localState);
  setCommandMode(1);
  input.tap(' ');
  input.nextFrame();
  runFrame();
  EXPECT_EQ(gameState, &commandState);
  EXPECT_EQ(player, nullptr);
  EXPECT_EQ(info[6], " ");
  EXPECT_FLOAT_EQ(view.getWidth(), 1000);
}

TEST_F(GameStatesTest, TheCameraIsZoomedAndTurnedWithTheShipNearTheLowerEdge) {
  write("a.lev", level(-1, playerRecord + enemyRecord));
  start("<episode> <level> <name> a.lev </name> </level> </episode>");
  ASSERT_NE(player, nullptr);
  // At entry the camera stands 600 - 30 ahead of the ship.
  EXPECT_FLOAT_EQ(view.getWidth(), 1600);
  EXPECT_FLOAT_EQ(view.getHeight(), 1200);
  Point const center = player->getCenter();
  EXPECT_NEAR(view.getCenter().x, center.x, 0.5);
  EXPECT_NEAR(view.getCenter().y, center.y - 570, 0.5);
  runFrame();
  // Drawn with the ship kept its own height plus 30 above the lower edge.
  Point const now = player->getCenter();
  EXPECT_NEAR(view.getCenter().x, now.x, 0.5);
  EXPECT_NEAR(view.getCenter().y, now.y - (600 - player->getHeight() - 30), 0.5);
}

TEST_F(GameStatesTest, TheProgressBarIsDrawnOnlyWhenThereIsProgressToShow) {
  write("none.lev", level(-1, playerRecord));
  write("enemy.lev", level(-1, playerRecord + enemyRecord));
  // A finish-line level without lines has nothing to show.
  start(
      "<episode> <level> <name> none.lev </name> <victory> finish_line </victory> </level> "
      "<level> <name> enemy.lev </name> </level> </episode>");
  ASSERT_EQ(getVictoryCondition(), "finish_line");
  runFrame();
  // The bar's left edge stands at 772, from 15 to 585.
  EXPECT_LT(countLit(771, 15, 774, 585), 100);
  input.tap(']');
  input.nextFrame();
  runFrame();
  ASSERT_EQ(getCurrLevel(), "enemy.lev");
  runFrame();
  EXPECT_GT(countLit(771, 15, 774, 585), 500);
}

// Command mode flies no ship until one is picked: not at start-up, not after a level load or
// reload; mouse motion turns nothing and the click that picks a ship fires nothing.
TEST_F(GameStatesTest, InCommandModeNoShipIsFlownUntilOneIsPicked) {
  std::string const wingmanRecord =
      "PlayerShip\nplayer\n800 800\n<angle>\n0\n</angle>\nPathFollower\n0\n";
  write("a.lev", level(-1, playerRecord + wingmanRecord + enemyRecord));
  write("b.lev", level(-1, playerRecord + wingmanRecord + enemyRecord));
  start(
      "<episode> <level> <name> a.lev </name> </level> <level> <name> b.lev </name> </level> "
      "</episode>",
      "<command_mode> 1 </command_mode>");
  ASSERT_EQ(gameState, &commandState);
  EXPECT_EQ(player, nullptr) << "at start-up";
  auto shotsByFriends = [] {
    int shots = 0;
    for (int i = 0; i < projectiles.size(); i++)
      for (int j = 0; j < friendlyShips.size(); j++)
        if (projectiles.at(i)->getShooter() == static_cast<GunUser*>(friendlyShips.at(j))) shots++;
    return shots;
  };
  auto anglesOfFriends = [] {
    std::vector<float> angles;
    for (int i = 0; i < friendlyShips.size(); i++)
      angles.push_back(friendlyShips.at(i)->getAngle());
    return angles;
  };
  std::vector<float> const before = anglesOfFriends();
  input.moveTo(300, 300);
  input.pressLeft();
  input.nextFrame();
  runFrame();
  input.moveTo(600, 300);
  input.nextFrame();
  runFrame();
  EXPECT_EQ(anglesOfFriends(), before) << "the mouse turns no ship";
  EXPECT_EQ(shotsByFriends(), 0) << "the button fires no gun";
  input.releaseLeft();
  runFrame();
  struct Step {
    char const* name;
    int key;
  } const steps[] = {{"next level", ']'}, {"previous level", '['}};
  for (Step const& step : steps) {
    input.tap(step.key);
    input.nextFrame();
    runFrame();
    EXPECT_EQ(gameState, &commandState) << step.name;
    EXPECT_EQ(player, nullptr) << step.name;
  }
  // A reload while in command mode: the level's ships are put back, none flown.
  reloadLevel();
  EXPECT_EQ(player, nullptr) << "reload";
  runFrame();
  // Through the editor and back: the scratch level is loaded in command mode.
  for (int i = 0; i < 2; i++) {
    input.tap('t');
    input.nextFrame();
    runFrame();
  }
  EXPECT_EQ(gameState, &commandState);
  EXPECT_EQ(player, nullptr) << "editor round trip";
  // Picking the second friendly ship: the click fires nothing, that ship is flown from then on.
  Ship* picked = friendlyShips.at(1);
  Point const center = picked->getCenter();
  input.moveTo(static_cast<int>((center.x - view.getLeft()) / view.getWidth() * 800),
               static_cast<int>((center.y - view.getTop()) / view.getHeight() * 600));
  input.pressLeft();
  input.nextFrame();
  runFrame();
  input.releaseLeft();
  input.nextFrame();
  runFrame();
  EXPECT_EQ(gameState, &localState);
  EXPECT_EQ(player, picked);
  runFrame();
  EXPECT_EQ(shotsByFriends(), 0) << "the picking click fired a gun";
}

namespace {
// How many pixels of the rectangle show the fences' colour, light blue (50, 50, 255).
int fencePixels(int x0, int y0, int x1, int y1) {
  int w = x1 - x0, h = y1 - y0;
  std::vector<unsigned char> rgb(3 * w * h);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x0, getWindowHeight() - y1, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  int count = 0;
  for (int i = 0; i < w * h; i++)
    if (rgb[3 * i] == 50 && rgb[3 * i + 1] == 50 && rgb[3 * i + 2] == 255) count++;
  return count;
}
}  // namespace

// The camera turns with the ship: a ship heading 90 sees along the world's x axis, so fences
// beside it on the screen lie above or below it in the world, outside the camera's unturned
// rectangle. They are drawn all the same.
TEST_F(GameStatesTest, FencesBesideAShipHeadingNinetyAreDrawn) {
  // Six short fences in a corner of the world small enough for the tree to split around them,
  // 630 to 740 to one side of the ship and a little ahead of it.
  std::string posts;
  for (int i = 0; i < 6; i++) {
    int const x = 1890 + 18 * i, id = 2 * i + 1;
    posts += "FenceNode\n" + std::to_string(x) +
             " 1265\n<angle>\n0\n</angle>\nPathFollower\n0\nNode\n" + std::to_string(id) + "\n" +
             std::to_string(id + 1) + "\n-1\n";
    posts += "FenceNode\n" + std::to_string(x) +
             " 1365\n<angle>\n0\n</angle>\nPathFollower\n0\nNode\n" + std::to_string(id + 1) +
             "\n" + std::to_string(id) + "\n-1\n";
  }
  std::string const ship =
      "PlayerShip\nplayer\n2000 2000\n<angle>\n90\n</angle>\nPathFollower\n0\n";
  write("turned.lev", "<triggerRoot> </triggerRoot>\n0 0 4000 4000\n-1\n\n" + posts + ship +
                          "END_OBJECTS\n0\n0\n");
  start(
      "<episode> <level> <name> turned.lev </name> <victory> finish_line </victory> </level> "
      "</episode>",
      "<fence_width> 10 </fence_width>");
  ASSERT_EQ(fences.size(), 6);
  ASSERT_NE(player, nullptr);
  runFrame();
  runFrame();
  ASSERT_NEAR(view.getAngle(), 90, 0.5);
  // Heading 90 is toward the world's left: world y grows toward the screen's left.
  EXPECT_GT(fencePixels(0, 400, 300, 600) + fencePixels(500, 400, 800, 600), 50);
}
