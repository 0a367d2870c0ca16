// Plays a small level of the benchmark's kind (enemy ships on paths among fence chains, firing
// at the player) twice from the same seed: once with the collision steps on plain corners, once
// on rectangles step by step. Every ship must end where the other run left it, with the same
// health, the shots the same, and the random sequence in the same place.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "bench/QorScenario.h"
#include "core/Files.h"
#include "core/GameServices.h"
#include "core/GetParents.h"
#include "core/TypedLists.h"
#include "core/Xml.h"
#include "game/Level.h"
#include "game/Projectile.h"
#include "game/QorObjMan.h"
#include "game/Ship.h"
#include "game/XmlHandlers.h"
#include "geometry/Collider.h"
#include "presentation/View.h"
#include "support/LogCapture.h"
#include "support/QorScreen.h"
#include "support/TestClock.h"

namespace {
std::string const levelName = "collision_steps_scenario.lev";

struct Outcome {
  std::vector<double> ships;  // corners and health of each ship, in list order
  std::vector<double> shots;  // centres of the shots in flight
  int nextRandom = 0;
  float healthLost = 0;
};

void addCorners(std::vector<double>& out, SimpleRect const& r) {
  for (Point const* p : {&r.cornerTopLeft(), &r.cornerTopRight(), &r.cornerBottomRight(),
                         &r.cornerBottomLeft()}) {
    out.push_back(p->x);
    out.push_back(p->y);
  }
}

Outcome play(bool bRects, int frames) {
  bCollideWithRects = bRects;
  TestClock clock;
  std::srand(7);
  EXPECT_TRUE(loadLevel(levelName));
  bFirstCycle = false;
  std::vector<float> start;
  for (int i = 0; i < allShips.size(); i++) start.push_back(allShips.at(i)->getHealth());
  for (int frame = 0; frame < frames; frame++) {
    if (player) player->setHealth(1e9f);
    objMan.processObjects();
    clock.advance(33);
  }
  Outcome out;
  for (int i = 0; i < allShips.size(); i++) {
    Ship* ship = allShips.at(i);
    addCorners(out.ships, *ship);
    out.ships.push_back(ship->getHealth());
    if (ship != player && i < static_cast<int>(start.size()))
      out.healthLost += start[i] - ship->getHealth();
  }
  for (int i = 0; i < projectiles.size(); i++) {
    Point c = projectiles.at(i)->getCenter();
    out.shots.push_back(c.x);
    out.shots.push_back(c.y);
  }
  out.nextRandom = std::rand();
  preLoad();
  bCollideWithRects = false;
  return out;
}
}  // namespace

TEST(CollisionStepsEquivalenceTest, APlayRunOnCornersEqualsTheRunOnRectangles) {
  openTestScreen();
  LogCapture log;
  readHeirarchy();
  for (std::string const& file : getFilesInDir("xml", "*.xml")) {
    std::ifstream in(file.c_str());
    XmlElement root;
    readElement(in, root, "");
    handleQorElement(root);
  }
  view.setRect(0, 0, 1600, 1200);
  QorScenario s;
  s.ships = 30;
  s.fences = 300;
  s.spacing = 160;
  s.shipRadius = 700;
  writeQorLevel(levelName, s);
  Outcome fast = play(false, 90);
  Outcome reference = play(true, 90);
  std::remove(levelName.c_str());
  ASSERT_GE(fast.ships.size(), 10u * 9) << "ships are still flying";
  EXPECT_EQ(fast.ships, reference.ships);
  EXPECT_EQ(fast.shots, reference.shots);
  EXPECT_EQ(fast.nextRandom, reference.nextRandom);
  // The run is one that matters: ships ran into fences and shots are in flight.
  EXPECT_GT(fast.healthLost, 0);
  EXPECT_FALSE(fast.shots.empty());
  std::cout << "ships " << fast.ships.size() / 9 << ", shots " << fast.shots.size() / 2
            << ", health lost " << fast.healthLost << "\n";
}
