// The shipped game started as it ships, on the test clock, and a scripted pilot that flies it as
// a player would: the mouse turns the ship, 'w' thrusts, the left button fires. No ship is moved
// or hurt by hand.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "core/TypedLists.h"
#include "game/Console.h"
#include "game/Game.h"
#include "game/Ship.h"
#include "geometry/Angle.h"
#include "geometry/Collisions.h"
#include "presentation/View.h"
#include "support/QorScreen.h"
#include "support/ScriptedInput.h"
#include "support/TestClock.h"

class PlaythroughTest : public ::testing::Test {
 protected:
  // Installed before start-up, so that every timer of the game runs on it.
  TestClock clock{100000};
  void SetUp() override {
    startQorInAWindow();
    // The same game every run: fixed random numbers, and frames of 1/30 s on the test clock.
    std::srand(20261210);
    bLockFps = false;
  }

  // Every frame of the main loop moves the test clock on by one frame's time.
  void playFrame() {
    clock.advance(33);
    runFrame();
  }

  // One frame of a pilot that turns toward the target by mouse motion, thrusts while the target
  // is far and fires while pointed at it.
  void steer(Point const& target, bool bFire, double nearEnough, bool bBarrier = false) {
    Point const center = player->getCenter();
    double const turn = getAngleDist(getAngle(center, target), player->getAngle());
    // The ship's angle falls by 0.25 degree per pixel of motion to the right.
    int pixels = static_cast<int>(std::lround(-turn / 0.25));
    if (pixels > 60) pixels = 60;
    if (pixels < -60) pixels = -60;
    input.px = 400;
    input.moveTo(400 + pixels, 300);
    bool const bAimed = std::fabs(turn) < 6;
    bool const bFar = dist(center, target) > nearEnough;
    if (bAimed && bFar && !bThrusting) input.press('w');
    if ((!bAimed || !bFar) && bThrusting) input.release('w');
    bThrusting = bAimed && bFar;
    if (bFire && bAimed)
      input.pressLeft();
    else
      input.releaseLeft();
    if (bBarrier)
      input.pressRight();
    else
      input.releaseRight();
    input.nextFrame();
    playFrame();
  }

  Ship* nearestEnemy() {
    Ship* best = nullptr;
    for (int i = 0; i < allShips.size(); i++) {
      Ship* ship = allShips.at(i);
      if (ship == player || ship->isFriendly()) continue;
      if (!best || dist(ship->getCenter(), player->getCenter()) <
                       dist(best->getCenter(), player->getCenter()))
        best = ship;
    }
    return best;
  }

  // Whether the point is on the screen, the camera turned as it is.
  static bool onScreen(Point point) {
    view.mapToView(point);
    return point.x >= 0 && point.x <= 800 && point.y >= 0 && point.y <= 600;
  }

  ScriptedInput input;
  bool bThrusting = false;
};
