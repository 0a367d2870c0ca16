// The real game as a player meets it: start-up with the shipped data under Xvfb, then frames
// driven by scripted keys and mouse.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/TypedLists.h"
#include "game/Console.h"
#include "game/Game.h"
#include "game/GameStates.h"
#include "game/Level.h"
#include "game/PlayerShip.h"
#include "game/QorObjMan.h"
#include "game/Ship.h"
#include "presentation/View.h"
#include "support/LogCapture.h"
#include "support/QorScreen.h"
#include "support/ScriptedInput.h"

namespace {
class GamePlayTest : public ::testing::Test {
 protected:
  void SetUp() override { startQorInAWindow(); }
  void tapKey(int key) {
    input.tap(key);
    input.nextFrame();
    runFrame();
  }
  void frames(int count) {
    for (int i = 0; i < count; i++) runFrame();
  }
  // The ships other than the player's.
  std::vector<Ship*> others() {
    std::vector<Ship*> result;
    for (int i = 0; i < allShips.size(); i++)
      if (allShips.at(i) != player) result.push_back(allShips.at(i));
    return result;
  }
  // Puts the player's ship at a point and lets one frame take it as its last position.
  void placePlayer(float x, float y) {
    static_cast<SimpleRect*>(player)->setCenter(x, y);
    player->setVelocity(Point(0, 0));
    runFrame();
    static_cast<SimpleRect*>(player)->setCenter(x, y);
  }

  // Start-up and play log here rather than to the run folder's log, which tests running
  // beside this one write too.
  LogCapture startLog;
  ScriptedInput input;
};

int countErrors(LogCapture const& log) {
  int count = 0;
  for (std::string const& line : log.lines())
    if (line.find("Error") != std::string::npos) count++;
  return count;
}
}  // namespace

TEST_F(GamePlayTest, TheFirstLevelOfTheFirstEpisodeStartsInPlayWithoutErrors) {
  EXPECT_EQ(getCurrLevel(), "outpost.lev");
  EXPECT_EQ(iEpisode, 0);
  EXPECT_EQ(iLevel, 1);
  EXPECT_EQ(gameState, &localState);
  ASSERT_NE(player, nullptr);
  EXPECT_EQ(allShips.size(), 3);
  EXPECT_GT(fences.size(), 4);
  frames(30);
  LogCapture after;
  frames(5);
  EXPECT_EQ(countErrors(after), 0);
  // What start-up and the first frames wrote holds no error either.
  for (std::string const& line : startLog.lines())
    EXPECT_EQ(line.find("Error"), std::string::npos) << line;
}

TEST_F(GamePlayTest, EveryShippedLevelLoadsWithoutErrors) {
  LogCapture log;
  for (char const* level :
       {"outpost.lev", "gauntlet.lev", "crossfire.lev", "sweepers.lev", "fortress.lev"}) {
    EXPECT_TRUE(loadLevel(level)) << level;
    EXPECT_NE(player, nullptr) << level;
    frames(3);
  }
  EXPECT_EQ(countErrors(log), 0) << log.text();
}

TEST_F(GamePlayTest, BracketKeysStepThroughLevelsAndWithShiftThroughEpisodes) {
  tapKey(']');
  EXPECT_EQ(getCurrLevel(), "gauntlet.lev");
  EXPECT_EQ(getVictoryCondition(), "finish_line");
  tapKey('[');
  EXPECT_EQ(getCurrLevel(), "outpost.lev");
  input.setMods(KMOD_LSHIFT);
  tapKey(']');
  EXPECT_EQ(getCurrLevel(), "sweepers.lev");
  EXPECT_EQ(iEpisode, 1);
  tapKey('[');
  EXPECT_EQ(getCurrLevel(), "outpost.lev");
  EXPECT_EQ(iEpisode, 0);
}

TEST_F(GamePlayTest, DestroyingEveryEnemyOfAKillAllLevelLoadsTheNext) {
  ASSERT_EQ(getVictoryCondition(), "kill_all");
  for (Ship* ship : others()) ship->setHealth(0);
  // The ships die in the object pass; the next frame's victory check sees the player alone.
  frames(3);
  EXPECT_EQ(getCurrLevel(), "gauntlet.lev");
  ASSERT_NE(player, nullptr);
}

TEST_F(GamePlayTest, CrossingTheFinishLineLoadsTheNextLevel) {
  tapKey(']');
  ASSERT_EQ(getCurrLevel(), "gauntlet.lev");
  ASSERT_NE(player, nullptr);
  placePlayer(800, 420);
  EXPECT_EQ(getCurrLevel(), "gauntlet.lev");
  static_cast<SimpleRect*>(player)->setCenter(800, 380);
  runFrame();
  EXPECT_EQ(getCurrLevel(), "crossfire.lev");
}

TEST_F(GamePlayTest, CrossingATriggerLineAppliesItsEffects) {
  tapKey(']');
  ASSERT_NE(player, nullptr);
  placePlayer(800, 3720);
  player->setHealth(5);
  static_cast<SimpleRect*>(player)->setCenter(800, 3680);
  runFrame();
  EXPECT_EQ(info[2], "player just croseed");
  EXPECT_FLOAT_EQ(player->getHealth(), 6);
}

TEST_F(GamePlayTest, LosingThePlayerShipReloadsTheLevel) {
  tapKey(']');
  ASSERT_EQ(getCurrLevel(), "gauntlet.lev");
  player->setHealth(0);
  runFrame();
  EXPECT_EQ(getCurrLevel(), "gauntlet.lev");
  EXPECT_EQ(getVictoryCondition(), "finish_line");
  ASSERT_NE(player, nullptr);
  EXPECT_GT(player->getHealth(), 0);
  EXPECT_EQ(iLevel, 2);
}

TEST_F(GamePlayTest, TheEditorKeyHandsTheLevelToTheEditorAndBackThroughTheScratchLevel) {
  ASSERT_NE(getEditorState(), nullptr);
  tapKey('t');
  EXPECT_EQ(gameState, getEditorState());
  EXPECT_TRUE(bEdit);
  EXPECT_EQ(allShips.size(), 3);
  tapKey('t');
  EXPECT_EQ(gameState, &localState);
  EXPECT_FALSE(bEdit);
  EXPECT_TRUE(useTempLev);
  EXPECT_EQ(getCurrLevel(), "outpost.lev");
  // Still at outpost in the episode: gauntlet follows.
  EXPECT_EQ(iLevel, 1);
  ASSERT_NE(player, nullptr);
  EXPECT_EQ(allShips.size(), 3);
  std::ifstream temp(getScratchLevelName());
  EXPECT_TRUE(temp.good());
}

// Every round trip through the editor, the first included, leaves the player's ship where it
// was flown to, at the angle it had.
TEST_F(GamePlayTest, EveryEditorRoundTripKeepsThePlayerShipWhereItWas) {
  ASSERT_EQ(getCurrLevel(), "outpost.lev");
  struct Place {
    float x, y, angle;
  } const places[] = {{900, 1500, 30}, {1500, 1700, 300}, {600, 1900, 90}};
  for (Place const& place : places) {
    SCOPED_TRACE(place.x);
    placePlayer(place.x, place.y);
    player->setAngle(place.angle);
    tapKey('t');
    ASSERT_EQ(gameState, getEditorState());
    ASSERT_NE(player, nullptr);
    EXPECT_NEAR(player->getCenter().x, place.x, 0.01) << "in the editor";
    EXPECT_NEAR(player->getCenter().y, place.y, 0.01) << "in the editor";
    tapKey('t');
    ASSERT_EQ(gameState, &localState);
    ASSERT_NE(player, nullptr);
    EXPECT_NEAR(player->getCenter().x, place.x, 0.01) << "back in play";
    EXPECT_NEAR(player->getCenter().y, place.y, 0.01) << "back in play";
    EXPECT_NEAR(player->getAngle(), place.angle, 0.01) << "back in play";
  }
}

TEST_F(GamePlayTest, CommandModeShowsTheWholeLevelAndAClickTakesOverAFriendlyShip) {
  tapKey(']');
  // A second friendly ship beside the player's, as a level could hold one.
  PlayerShip* wingman = new PlayerShip;
  std::istringstream record("player\n950 4800\n<angle>\n0\n</angle>\nPathFollower\n0\n");
  wingman->initFromFile(record);
  objMan.newObject(wingman);
  ASSERT_EQ(friendlyShips.size(), 2);
  ASSERT_NE(player, wingman);
  setCommandMode(1);
  tapKey(' ');
  ASSERT_EQ(gameState, &commandState);
  EXPECT_FLOAT_EQ(view.getWidth(), worldBounds.getWidth());
  EXPECT_FLOAT_EQ(view.getHeight(), worldBounds.getHeight());
  runFrame();
  Point const center = wingman->getCenter();
  input.moveTo(static_cast<int>((center.x - view.getLeft()) / view.getWidth() * 800),
               static_cast<int>((center.y - view.getTop()) / view.getHeight() * 600));
  input.pressLeft();
  runFrame();
  input.releaseLeft();
  runFrame();
  EXPECT_EQ(gameState, &localState);
  EXPECT_EQ(player, wingman);
}
