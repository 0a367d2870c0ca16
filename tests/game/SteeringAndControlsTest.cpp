// Steering toward a target straight ahead, and opposite thrust keys of the player's controls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/HoloDisplay.h"
#include "game/PlayerShip.h"
#include "game/ShipWorld.h"
#include "presentation/Keyboard.h"

class SteeringAndControlsTest : public ShipWorldTest {
 protected:
  void TearDown() override {
    std::fill(keyCounts.begin(), keyCounts.end(), 0);
    ShipWorldTest::TearDown();
  }
};

TEST_F(SteeringAndControlsTest, AFarTargetDeadAheadIsThrustTowardAndStillTurnsThePositiveWay) {
  HoloDisplay* ship = addShip<HoloDisplay>("none", 1000, 3000, 0);
  ship->maxSpeed = 1.0f;
  ship->clearAcceleration();
  ship->moveToward(Point(1000, 1500));
  EXPECT_FLOAT_EQ(ship->getAngle(), 0.0f);
  EXPECT_NEAR(ship->getAcceleration().y, -1.0, 1e-4);
  EXPECT_FLOAT_EQ(ship->getAngleInc(), 4.0f);
}

TEST_F(SteeringAndControlsTest, OppositeThrustKeysCancel) {
  struct Case {
    std::string keys;
    bool bMoves;
  };
  std::vector<Case> const cases = {{"ws", false}, {"ad", false}, {"wsad", false}, {"w", true}};
  for (Case const& c : cases) {
    PlayerShip* own = addShip<PlayerShip>("none", 2000, 2000);
    own->maxSpeed = 5.0f;
    ASSERT_EQ(player, own);
    std::fill(keyCounts.begin(), keyCounts.end(), 0);
    for (char k : c.keys) keyCounts[static_cast<int>(k)] = 1;
    for (int frame = 0; frame < 3; frame++) own->processControlled();
    double moved = dist(own->getCenter(), Point(2000, 2000));
    if (c.bMoves)
      EXPECT_GT(moved, 1.0) << c.keys;
    else
      EXPECT_LT(moved, 1e-6) << c.keys;
    objMan.deleteObject(own, true);
  }
}
