// Plays a small level of the benchmark's kind (enemy ships on paths among fence chains, firing
// at the player) twice from the same seed: once with the collision steps on plain corners (which
// keep what they work out about each fence between responses), once on rectangles step by step.
// Every ship must end where the other run left it, with the same health, the shots the same,
// and the random sequence in the same place. A second level has posts riding paths, so that its
// fences slide and turn under the ships.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "core/Files.h"
#include "core/GameServices.h"
#include "core/GetParents.h"
#include "core/TypedLists.h"
#include "core/Xml.h"
#include "game/Fence.h"
#include "game/Level.h"
#include "game/Projectile.h"
#include "game/QorObjMan.h"
#include "game/Ship.h"
#include "game/XmlHandlers.h"
#include "geometry/Collider.h"
#include "presentation/View.h"
#include "support/LogCapture.h"
#include "support/QorDataFiles.h"
#include "support/QorScenario.h"
#include "support/QorScreen.h"
#include "support/TestClock.h"

namespace {
std::string const levelName = "collision_steps_scenario.lev";

struct Outcome {
  std::vector<double> ships;   // corners and health of each ship, in list order
  std::vector<double> shots;   // centres of the shots in flight
  std::vector<double> fences;  // corners of each fence
  int nextRandom = 0;
  float healthLost = 0;
};

void addCorners(std::vector<double>& out, SimpleRect const& r) {
  for (Point const* p :
       {&r.cornerTopLeft(), &r.cornerTopRight(), &r.cornerBottomRight(), &r.cornerBottomLeft()}) {
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
  for (int i = 0; i < fences.size(); i++) addCorners(out.fences, *fences.at(i));
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

void setUpGameData() {
  openTestScreen();
  readHeirarchy();
  readQorDataFiles();
  view.setRect(0, 0, 1600, 1200);
}

QorScenario smallScenario() {
  QorScenario s;
  s.ships = 30;
  s.fences = 300;
  s.spacing = 160;
  s.shipRadius = 700;
  return s;
}

// Every third post of the level rides a path of two nodes back and forth.
std::string withRidingPosts(std::string const& level) {
  std::istringstream in(level);
  std::ostringstream out;
  std::string line, position;
  int posts = 0, lineOfPost = -1;
  while (std::getline(in, line)) {
    if (line == "FenceNode") lineOfPost = 0;
    if (lineOfPost == 1) position = line;
    // The post's record: name, position, angle (three lines), "PathFollower", then the path.
    if (lineOfPost == 6 && line == "0" && posts++ % 3 == 0) {
      std::istringstream at(position);
      int x = 0, y = 0;
      at >> x >> y;
      int a = 900000 + 2 * posts, b = a + 1;
      out << "1\n" << x << " " << y << "\n0.5\n0\nNode\n" << a << "\n" << b << "\n-1\n";
      out << "1\n" << x + 90 << " " << y + 60 << "\n0.5\n0\nNode\n" << b << "\n" << a << "\n-1\n";
    }
    if (lineOfPost >= 0) lineOfPost++;
    out << line << "\n";
  }
  return out.str();
}

void expectSameRuns(Outcome const& fast, Outcome const& reference) {
  ASSERT_GE(fast.ships.size(), 10u * 9) << "ships are still flying";
  EXPECT_EQ(fast.ships, reference.ships);
  EXPECT_EQ(fast.shots, reference.shots);
  EXPECT_EQ(fast.fences, reference.fences);
  EXPECT_EQ(fast.nextRandom, reference.nextRandom);
  // The run is one that matters: ships ran into fences and shots are in flight.
  EXPECT_GT(fast.healthLost, 0);
  EXPECT_FALSE(fast.shots.empty());
  std::cout << "ships " << fast.ships.size() / 9 << ", shots " << fast.shots.size() / 2
            << ", health lost " << fast.healthLost << "\n";
}
}  // namespace

TEST(CollisionStepsEquivalenceTest, APlayRunOnCornersEqualsTheRunOnRectangles) {
  LogCapture log;
  setUpGameData();
  writeQorLevel(levelName, smallScenario());
  Outcome fast = play(false, 90);
  Outcome reference = play(true, 90);
  std::remove(levelName.c_str());
  expectSameRuns(fast, reference);
}

TEST(CollisionStepsEquivalenceTest, FencesOnRidingPostsAnswerAsOnRectangles) {
  LogCapture log;
  setUpGameData();
  std::string const level = withRidingPosts(makeQorLevel(smallScenario()));
  ASSERT_NE(level.find("\n900002\n"), std::string::npos);
  std::ofstream(levelName.c_str()) << level;
  Outcome before = play(false, 0);
  Outcome fast = play(false, 90);
  Outcome reference = play(true, 90);
  std::remove(levelName.c_str());
  expectSameRuns(fast, reference);
  // The posts carried their fences along.
  EXPECT_NE(before.fences, fast.fences);
}
