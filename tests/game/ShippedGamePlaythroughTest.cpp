// The shipped game as a new player meets it, on the test clock: no level opens with a ship that
// attacks from outside the screen, and the whole game is played from the first level to the win
// screen by flying and shooting alone.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "game/Game.h"
#include "game/GameStates.h"
#include "game/Level.h"
#include "game/PlaythroughPilot.h"
#include "game/Projectile.h"
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

namespace {
// One level of the shipped game and the route the pilot flies through it: a kill-all level is
// won by flying from station to station and fighting whatever comes in sight; a finish-line
// level by flying its waypoints to the finish line, fighting on the way.
struct Leg {
  char const* level;
  char const* victory;
  std::vector<Point> route;
};

std::vector<Leg> const shippedGame = {
    {"outpost.lev", "kill_all", {Point(1200, 1500), Point(1300, 750), Point(800, 700)}},
    {"gauntlet.lev",
     "finish_line",
     {Point(1300, 3400), Point(1300, 2600), Point(400, 1800), Point(400, 1200), Point(800, 0)}},
    {"crossfire.lev",
     "kill_all",
     {Point(700, 2300), Point(600, 1700), Point(700, 1100), Point(1500, 900), Point(2300, 1100),
      Point(2400, 1700)}},
    {"sweepers.lev",
     "finish_line",
     {Point(1700, 3700), Point(1700, 3100), Point(300, 2900), Point(300, 2300), Point(1700, 2100),
      Point(1700, 1500), Point(300, 1300), Point(300, 700), Point(1000, 0)}},
    {"fortress.lev",
     "kill_all",
     {Point(1600, 2500), Point(600, 2200), Point(600, 1200), Point(1300, 850), Point(1900, 900),
      Point(2300, 1200)}},
};
}  // namespace

class ShippedGamePilot : public ShippedGamePlaythroughTest {
 protected:
  // The nearest enemy within range that the player's ship has a clear line to.
  Ship* enemyInSight(double range) {
    Ship* best = nullptr;
    Point const center = player->getCenter();
    for (int i = 0; i < allShips.size(); i++) {
      Ship* ship = allShips.at(i);
      if (ship == player || ship->isFriendly()) continue;
      double const d = dist(ship->getCenter(), center);
      if (d > range || !lineOfSight(center, ship->getCenter())) continue;
      if (!best || d < dist(best->getCenter(), center)) best = ship;
    }
    return best;
  }
  // An enemy shot close enough that a barrier now would meet it.
  bool shotComing() {
    for (int i = 0; i < projectiles.size(); i++) {
      Projectile* shot = projectiles.at(i);
      if (shot->isReflected() || shot->getShooter() == static_cast<GunUser*>(player)) continue;
      if (dist(shot->getCenter(), player->getCenter()) < 260) return true;
    }
    return false;
  }
  // One frame of the pilot on a route: fight the enemy in sight, else fly to the station.
  void fly(std::vector<Point> const& route, size_t& next) {
    if (next + 1 < route.size() && dist(player->getCenter(), route[next]) < 120) next++;
    Ship* enemy = enemyInSight(1100);
    if (enemy)
      steer(enemy->getCenter(), true, 450, shotComing());
    else
      steer(route[next], false, 0, shotComing());
  }
  void playWholeGame(bool bRoundTrips);
  std::string report() {
    std::ostringstream out;
    out << getCurrLevel() << ": " << allShips.size() - 1 << " enemies left:";
    for (int i = 0; i < allShips.size(); i++) {
      Ship* ship = allShips.at(i);
      if (ship == player) continue;
      out << " (" << ship->getCenter().x << ", " << ship->getCenter().y << ") health "
          << ship->getHealth() << ";";
    }
    if (player)
      out << " player at (" << player->getCenter().x << ", " << player->getCenter().y << ") health "
          << player->getHealth();
    return out.str();
  }
};

// The whole shipped game, level by level, to the win screen, and Space on it quits with status 0.
// With bRoundTrips every level is first taken to the editor and back with 't', 't'.
void ShippedGamePilot::playWholeGame(bool bRoundTrips) {
  int status = -1;
  std::vector<std::string> shown;
  setExitHook([&status, &shown](int s) {
    status = s;
    shown = info;
  });
  LogCapture log;
  for (size_t legIndex = 0; legIndex < shippedGame.size(); legIndex++) {
    Leg const& leg = shippedGame[legIndex];
    bool const bLast = legIndex + 1 == shippedGame.size();
    ASSERT_EQ(getCurrLevel(), leg.level);
    ASSERT_EQ(getVictoryCondition(), leg.victory);
    if (bRoundTrips) {
      for (int i = 0; i < 2; i++) {
        input.tap('t');
        input.nextFrame();
        playFrame();
      }
      ASSERT_EQ(gameState, &localState);
      ASSERT_EQ(getCurrLevel(), leg.level);
      ASSERT_NE(player, nullptr);
    }
    size_t next = 0;
    int frame = 0;
    int losses = 0;
    Ship* flying = player;
    while (frame < 9000 && getCurrLevel() == leg.level && status == -1) {
      frame++;
      if (bLast && allShips.size() == 1) {
        // The last enemy is gone: the next frame opens the win screen, and Space comes in its
        // first frame.
        input.releaseLeft();
        input.releaseRight();
        input.nextFrame();
        input.press(' ');
        playFrame();
        continue;
      }
      if (!player) {
        playFrame();
        continue;
      }
      if (player != flying) {
        // Lost and reloaded: the route starts over.
        losses++;
        flying = player;
        next = 0;
      }
      fly(leg.route, next);
    }
    std::cout << leg.level << ": " << frame << " frames, " << losses << " ships lost" << std::endl;
    if (bLast) {
      ASSERT_EQ(status, 0) << "after " << frame << " frames, " << losses << " ships lost; "
                           << report();
    } else {
      ASSERT_NE(getCurrLevel(), leg.level)
          << "after " << frame << " frames, " << losses << " ships lost; " << report();
    }
  }
  setExitHook(nullptr);
  ASSERT_EQ(shown.size(), 20u);
  EXPECT_EQ(shown[0], "(press space to quit)");
  EXPECT_EQ(shown[1], "YOU WIN!!!");
  for (std::string const& line : log.lines())
    EXPECT_EQ(line.find("Error"), std::string::npos) << line;
}

TEST_F(ShippedGamePilot, TheShippedGameIsPlayedFromTheFirstLevelToTheWinScreen) {
  playWholeGame(false);
}

// Round trips through the editor keep the order of the levels: the game still ends in the win
// screen. The scratch level is written in a folder of this test's own.
TEST_F(ShippedGamePilot, WithARoundTripThroughTheEditorOnEveryLevelTheGameStillEndsInTheWinScreen) {
  namespace fs = std::filesystem;
  fs::path const original = fs::current_path();
  char pattern[] = "/tmp/qorplaythroughXXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  fs::path const scratch = pattern;
  for (fs::directory_entry const& entry : fs::directory_iterator(original))
    fs::create_symlink(entry.path(), scratch / entry.path().filename());
  fs::current_path(scratch);
  playWholeGame(true);
  fs::current_path(original);
  fs::remove_all(scratch);
}
