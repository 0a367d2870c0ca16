// The order of the shipped levels as a player meets it: round trips through the editor, finish
// lines at the end of an episode, the command overview and the level time line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/TypedLists.h"
#include "game/Console.h"
#include "game/Game.h"
#include "game/GameStates.h"
#include "game/Level.h"
#include "game/Ship.h"
#include "presentation/Mouse.h"
#include "presentation/View.h"
#include "support/QorScreen.h"
#include "support/ScriptedInput.h"

namespace {
class LevelOrderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    startQorInAWindow();
    setExitHook([this](int s) {
      status = s;
      shown = info;
    });
  }
  void TearDown() override {
    setExitHook(nullptr);
    bCommandMode = false;
  }
  void tapKey(int key) {
    input.tap(key);
    input.nextFrame();
    runFrame();
  }
  void roundTrip() {
    tapKey('t');
    ASSERT_EQ(gameState, getEditorState());
    tapKey('t');
    ASSERT_NE(gameState, getEditorState());
  }
  // Every enemy destroyed; a later frame sees the player alone and wins the level. Space goes
  // down in every frame, so that a win screen gets it in its first frame.
  void winByDestruction() {
    for (int i = 0; i < allShips.size(); i++)
      if (allShips.at(i) != player) allShips.at(i)->setHealth(0);
    std::string const level = getCurrLevel();
    for (int frame = 0; frame < 10 && status == -1 && getCurrLevel() == level; frame++) {
      input.nextFrame();
      input.tap(' ');
      runFrame();
    }
  }
  // The player's ship flown across gauntlet's finish line, between y 420 and 380.
  void crossGauntletsFinishLine() {
    static_cast<SimpleRect*>(player)->setCenter(800, 420);
    player->setVelocity(Point(0, 0));
    runFrame();
    static_cast<SimpleRect*>(player)->setCenter(800, 380);
    runFrame();
  }

  ScriptedInput input;
  int status = -1;
  std::vector<std::string> shown;
};
}  // namespace

// Shift+']' then ']' reaches fortress, the last level of the last episode; round trips through
// the editor keep it the last level, so its victory shows the win screen.
TEST_F(LevelOrderTest, AfterRoundTripsTheLastLevelsVictoryShowsTheWinScreen) {
  input.setMods(KMOD_LSHIFT);
  tapKey(']');
  input.setMods(0);
  tapKey(']');
  ASSERT_EQ(getCurrLevel(), "fortress.lev");
  for (int i = 0; i < 3; i++) roundTrip();
  EXPECT_EQ(getCurrLevel(), "fortress.lev");
  ASSERT_NE(player, nullptr);
  winByDestruction();
  EXPECT_EQ(status, 0);
  ASSERT_EQ(shown.size(), 20u);
  EXPECT_EQ(shown[1], "YOU WIN!!!");
  EXPECT_EQ(getCurrLevel(), "fortress.lev");
}

// Victories after round trips go on to the level that followed before, by destruction and by
// the finish line alike.
TEST_F(LevelOrderTest, AfterRoundTripsTheNextLevelIsTheOneThatFollowedBefore) {
  roundTrip();
  roundTrip();
  ASSERT_EQ(getCurrLevel(), "outpost.lev");
  winByDestruction();
  ASSERT_EQ(getCurrLevel(), "gauntlet.lev");
  roundTrip();
  roundTrip();
  ASSERT_NE(player, nullptr);
  crossGauntletsFinishLine();
  EXPECT_EQ(getCurrLevel(), "crossfire.lev");
  EXPECT_EQ(status, -1);
  // ']' after a round trip too.
  roundTrip();
  tapKey(']');
  EXPECT_EQ(getCurrLevel(), "sweepers.lev");
}

// A finish line on the last level of an episode that is not the last goes on to the next
// episode's first level; only on the last episode does it end the game.
TEST_F(LevelOrderTest, AFinishLineAtTheEndOfAnEpisodeGoesOnToTheNextEpisode) {
  tapKey(']');
  ASSERT_EQ(getCurrLevel(), "gauntlet.lev");
  // As if gauntlet were the first episode's last level.
  setLevelIndex(3);
  ASSERT_TRUE(onLastLevel());
  ASSERT_FALSE(onLastEpisode());
  crossGauntletsFinishLine();
  EXPECT_EQ(status, -1);
  EXPECT_EQ(getCurrLevel(), "sweepers.lev");
  EXPECT_EQ(iEpisode, 1);
  EXPECT_EQ(iLevel, 1);
}

// ']' and '[' in the command overview show the level that is loaded: the camera takes its
// bounds, and the mouse reaches across them.
TEST_F(LevelOrderTest, TheCommandOverviewFollowsALevelStep) {
  bCommandMode = true;
  gameState->exit();
  gameState = &commandState;
  commandState.enter();
  struct Step {
    int key;
    char const* level;
  } const steps[] = {{']', "gauntlet.lev"}, {']', "crossfire.lev"}, {'[', "gauntlet.lev"}};
  for (Step const& step : steps) {
    SCOPED_TRACE(step.level);
    tapKey(step.key);
    ASSERT_EQ(getCurrLevel(), step.level);
    EXPECT_EQ(gameState, &commandState);
    EXPECT_NEAR(view.getLeft(), worldBounds.getLeft(), 1);
    EXPECT_NEAR(view.getTop(), worldBounds.getTop(), 1);
    EXPECT_NEAR(view.getWidth(), worldBounds.getWidth(), 1);
    EXPECT_NEAR(view.getHeight(), worldBounds.getHeight(), 1);
    EXPECT_EQ(mouse.maxX, static_cast<int>(view.getWidth()));
    EXPECT_EQ(player, nullptr);
  }
}

// Gauntlet's level time goes with gauntlet.
TEST_F(LevelOrderTest, TheLevelTimeLineGoesWithItsLevel) {
  tapKey(']');
  ASSERT_EQ(getCurrLevel(), "gauntlet.lev");
  runFrame();
  ASSERT_EQ(info[5].rfind("Level Time: ", 0), 0u) << info[5];
  tapKey(']');
  ASSERT_EQ(getCurrLevel(), "crossfire.lev");
  runFrame();
  EXPECT_EQ(info[5], " ");
}
