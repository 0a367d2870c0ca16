// The shipped game as a new player meets it, on the test clock: no level opens with a ship that
// attacks from outside the screen, and the whole game is played from the first level to the win
// screen by flying and shooting alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/GameStates.h"
#include "game/Level.h"
#include "game/PlaythroughPilot.h"
#include "support/LogCapture.h"

namespace {
class ShippedGamePlaythroughTest : public PlaythroughTest {};

char const* const shippedLevels[] = {"outpost.lev", "gauntlet.lev", "crossfire.lev", "sweepers.lev",
                                     "fortress.lev"};
}  // namespace

// A player who stands still at a level's start for five seconds is attacked by no ship that the
// screen does not show: every ship that sees the player is on the screen.
TEST_F(ShippedGamePlaythroughTest, AtTheStartOfEveryLevelOnlyShipsOnTheScreenSeeThePlayer) {
  for (char const* level : shippedLevels) {
    SCOPED_TRACE(level);
    while (getCurrLevel() != level) {
      input.tap(']');
      input.nextFrame();
      playFrame();
    }
    ASSERT_NE(player, nullptr);
    Ship* const flying = player;
    bool bHidden = false;
    for (int frame = 0; frame < 150 && player == flying && !bHidden; frame++) {
      playFrame();
      for (int i = 0; i < allShips.size() && !bHidden; i++) {
        Ship* ship = allShips.at(i);
        if (ship == player || !ship->canSee(player->getCenter())) continue;
        bHidden = !onScreen(ship->getCenter());
        EXPECT_FALSE(bHidden) << "frame " << frame << ": the ship at " << ship->getCenter().x
                              << ", " << ship->getCenter().y
                              << " sees the player from off the screen";
      }
    }
    EXPECT_EQ(player, flying) << "the player's ship was lost";
  }
}
