// Drawing must leave the game's random sequence alone: the enemies' choices, the stars' depths
// and every placement by chance would otherwise depend on how much is on screen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "game/Console.h"
#include "game/Game.h"
#include "game/GameStates.h"
#include "game/Level.h"
#include "support/QorScreen.h"
#include "support/ScriptedInput.h"

TEST(DrawingAndChanceTest, AFrameOfEveryShippedLevelInPlayAndCommandModeTakesNoRandomNumbers) {
  startQorInAWindow();
  ScriptedInput input;
  std::vector<std::string> levels;
  for (auto const& entry : std::filesystem::directory_iterator("."))
    if (entry.path().extension() == ".lev" &&
        entry.path().filename().string().rfind("temp", 0) != 0)
      levels.push_back(entry.path().filename().string());
  ASSERT_GE(levels.size(), 5u);
  for (std::string const& level : levels) {
    ASSERT_TRUE(loadLevel(level)) << level;
    for (GameState* state :
         {static_cast<GameState*>(&localState), static_cast<GameState*>(&commandState)}) {
      gameState = state;
      // The first draw of the run makes the star field, by chance on purpose.
      myGame.draw();
      std::srand(1234);
      int const expected = std::rand();
      std::srand(1234);
      for (int frame = 0; frame < 3; frame++) myGame.draw();
      EXPECT_EQ(std::rand(), expected)
          << level << (state == &localState ? " in play" : " in command mode");
    }
  }
}
