// The first shipped level played as a player would: the mouse turns the ship, 'w' thrusts, the
// left button fires. No ship is moved or hurt by hand, so the level must be winnable by flying
// and shooting alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/GameStates.h"
#include "game/Level.h"
#include "game/PlaythroughPilot.h"
#include "support/LogCapture.h"

namespace {
class FirstLevelPlaythroughTest : public PlaythroughTest {};
}  // namespace

TEST_F(FirstLevelPlaythroughTest, FlyingAndShootingDestroysEveryEnemyAndLoadsTheSecondLevel) {
  ASSERT_EQ(getCurrLevel(), "outpost.lev");
  ASSERT_EQ(getVictoryCondition(), "kill_all");
  ASSERT_NE(player, nullptr);
  LogCapture log;
  // Up the open lane between the two inner fences, from where the enemies' patrols are in sight.
  Point const lane(1200, 750);
  int frame = 0;
  while (frame < 900 && player && dist(player->getCenter(), lane) > 120) {
    steer(lane, false, 60);
    frame++;
  }
  ASSERT_NE(player, nullptr);
  ASSERT_LT(dist(player->getCenter(), lane), 120) << "the ship could not fly up the lane";
  int reloads = 0;
  std::string const firstLevel = getCurrLevel();
  while (frame < 6000 && getCurrLevel() == firstLevel) {
    Ship* target = nearestEnemy();
    if (!target || !player) {
      playFrame();
    } else {
      Ship* const flying = player;
      steer(target->getCenter(), lineOfSight(player->getCenter(), target->getCenter()), 500);
      // A lost ship reloads the level with a fresh one at the start.
      if (player != flying) reloads++;
    }
    frame++;
  }
  EXPECT_EQ(getCurrLevel(), "gauntlet.lev") << "after " << frame << " frames and " << reloads
                                            << " reloads, " << allShips.size() << " ships left";
  for (std::string const& line : log.lines())
    EXPECT_EQ(line.find("Error"), std::string::npos) << line;
}

// The finish-line levels, flown through the gaps that their sweeping fences leave, shooting the
// enemies that come in sight on the way.
TEST_F(FirstLevelPlaythroughTest, TheFinishLineLevelsCanBeFlownThroughTheGapsOfTheirFences) {
  struct Case {
    char const* level;
    char const* next;
    std::vector<Point> waypoints;
  } const cases[] = {
      {"gauntlet.lev",
       "crossfire.lev",
       {Point(1300, 3400), Point(1300, 2600), Point(400, 1800), Point(400, 1200), Point(800, 0)}},
      {"sweepers.lev",
       "fortress.lev",
       {Point(1700, 3700), Point(1700, 3100), Point(300, 2900), Point(300, 2300), Point(1700, 2100),
        Point(1700, 1500), Point(300, 1300), Point(300, 700), Point(1000, 0)}},
  };
  for (Case const& c : cases) {
    while (getCurrLevel() != c.level) {
      input.tap(']');
      input.nextFrame();
      playFrame();
    }
    ASSERT_EQ(getVictoryCondition(), "finish_line");
    LogCapture log;
    size_t next = 0;
    int frame = 0;
    int losses = 0;
    Ship* flying = player;
    while (frame < 2000 && getCurrLevel() == c.level) {
      frame++;
      if (!player) {
        playFrame();
        continue;
      }
      if (player != flying) {
        // Lost and reloaded: the flight starts over.
        losses++;
        flying = player;
        next = 0;
      }
      if (next + 1 < c.waypoints.size() && dist(player->getCenter(), c.waypoints[next]) < 120)
        next++;
      Ship* enemy = nearestEnemy();
      if (enemy && dist(enemy->getCenter(), player->getCenter()) < 1000 &&
          lineOfSight(player->getCenter(), enemy->getCenter()))
        steer(enemy->getCenter(), true, 2000);
      else
        steer(c.waypoints[next], false, 0);
    }
    EXPECT_EQ(getCurrLevel(), c.next) << c.level << " after " << frame << " frames, " << losses
                                      << " ships lost, heading for waypoint " << next;
    EXPECT_EQ(losses, 0) << c.level;
    for (std::string const& line : log.lines())
      EXPECT_EQ(line.find("Error"), std::string::npos) << line;
  }
}
