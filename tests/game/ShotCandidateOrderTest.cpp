// What a shot hits when one frame's flight crosses several things: ships are tested before
// fences and fences before barriers, only the first ship or fence counts, and barriers turn a
// shot once, after which it passes every barrier.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "game/Barrier.h"
#include "game/Fence.h"
#include "game/HoloDisplay.h"
#include "game/PlayerShip.h"
#include "game/Projectile.h"
#include "game/ShipWorld.h"

namespace {
// A shot as a gun sets it up, placed at a start point, flying at the given speed along the
// shooter's heading.
ParameterProjectile* fireFrom(GunUser* user, Point start, int speed) {
  std::istringstream in("<projectile> <speed> " + std::to_string(speed) +
                        " </speed> </projectile>");
  XmlElement element;
  readElement(in, element, "");
  ParameterProjectile* shot = new ParameterProjectile();
  shot->init(element.getArguments(), user);
  shot->setCenter(static_cast<float>(start.x), static_cast<float>(start.y));
  objMan.newObject(shot);
  return shot;
}

double speedOf(Projectile* shot) {
  Point v = shot->getVelocity();
  return std::sqrt(v.x * v.x + v.y * v.y);
}
}  // namespace

class ShotCandidateOrderTest : public ShipWorldTest {};

TEST_F(ShotCandidateOrderTest, OfTwoShipsCrossedInOneFrameOnlyTheFirstListedIsHit) {
  PlayerShip* own = addShip<PlayerShip>("none", 1000, 1500);
  // Listed first, but farther from the player than the other.
  HoloDisplay* far = addShip<HoloDisplay>("none", 1000, 1000);
  HoloDisplay* near = addShip<HoloDisplay>("none", 1000, 1200);
  far->setHealth(5);
  near->setHealth(5);
  fireFrom(own, Point(1000, 1450), 600);  // 1450 -> 850 crosses both
  objMan.processObjects();
  EXPECT_EQ(projectiles.size(), 0);
  EXPECT_FLOAT_EQ(far->getHealth(), 4);
  EXPECT_FLOAT_EQ(near->getHealth(), 5);
}

TEST_F(ShotCandidateOrderTest, AShipCrossedInTheSameFrameAsANearerFenceTakesTheHit) {
  Fence* fence = new Fence(Point(0, 1300), Point(4000, 1300));
  objMan.newObject(fence);
  fence->updateLastPosition();
  clearObstacleTree();
  buildObstacleTree();
  PlayerShip* own = addShip<PlayerShip>("none", 1000, 1500);
  HoloDisplay* enemy = addShip<HoloDisplay>("none", 1000, 1000);
  enemy->setHealth(5);
  fireFrom(own, Point(1000, 1450), 600);
  objMan.processObjects();
  EXPECT_EQ(projectiles.size(), 0);
  EXPECT_FLOAT_EQ(enemy->getHealth(), 4);
}

TEST_F(ShotCandidateOrderTest, AShipAndABarrierInOneFrameTheShipIsHitAndTheShotEnds) {
  HoloDisplay* enemy = addShip<HoloDisplay>("none", 1000, 1000, 180);
  PlayerShip* own = addShip<PlayerShip>("none", 1000, 1500);
  createBarrier(own, 90, 110, 20, 10);  // a chord across the way at about y 1422
  // 1300 -> 1500 crosses the barrier and ends in the player.
  ParameterProjectile* shot = fireFrom(enemy, Point(1000, 1300), 200);
  ASSERT_FALSE(shot->isReflected());
  objMan.processObjects();
  EXPECT_EQ(projectiles.size(), 0);
  EXPECT_FLOAT_EQ(own->getHealth(), 6);
  EXPECT_EQ(barriers.size(), 1);
}

TEST_F(ShotCandidateOrderTest, TwoBarriersInOneFrameTurnTheShotOnceThenNoBarrierTurnsIt) {
  HoloDisplay* enemy = addShip<HoloDisplay>("none", 1000, 1000, 180);
  enemy->setHealth(5);
  PlayerShip* own = addShip<PlayerShip>("none", 1000, 1700);
  PlayerShip* wingman = addShip<PlayerShip>("none", 1000, 1900);
  createBarrier(wingman, 20, 380, 20, 10);  // about y 1526, narrow
  createBarrier(own, 90, 110, 20, 10);      // about y 1622
  ASSERT_EQ(barriers.size(), 2);
  Barrier* first = barriers.at(0);
  Barrier* second = barriers.at(1);
  ParameterProjectile* shot = fireFrom(enemy, Point(1000, 1500), 140);  // 1500 -> 1640
  objMan.processObjects();
  ASSERT_EQ(projectiles.size(), 1);
  EXPECT_TRUE(shot->isReflected());
  ASSERT_EQ(shot->getShotObjects().size(), 2u);
  EXPECT_EQ(shot->getShotObjects()[0], static_cast<Shootable*>(first));
  EXPECT_EQ(shot->getShotObjects()[1], static_cast<Shootable*>(second));
  // Turned by the first only: three times the return force, not nine.
  EXPECT_NEAR(speedOf(shot), 240.0, 1e-3);
  EXPECT_LT(shot->getVelocity().y, 0);
  Rect shotRect = shot->getBounds();
  EXPECT_FALSE(first->isCollision(shotRect));
  EXPECT_FALSE(second->isCollision(shotRect));
  // On its way back no barrier turns it again; it ends in the ship that fired it.
  objMan.processObjects();
  ASSERT_EQ(projectiles.size(), 1);
  EXPECT_EQ(shot->getShotObjects().size(), 2u);
  EXPECT_NEAR(shot->getVelocity().y, -240.0, 1e-3);
  for (int i = 0; i < 5 && projectiles.size() > 0; i++) objMan.processObjects();
  EXPECT_EQ(projectiles.size(), 0);
  EXPECT_FLOAT_EQ(enemy->getHealth(), 4);
  EXPECT_FLOAT_EQ(own->getHealth(), 7);
  EXPECT_FLOAT_EQ(wingman->getHealth(), 7);
}

// A fence is a candidate wherever along the frame's flight it lies: the tree, split into cells
// smaller than one step of a shot sent back by a barrier, is asked for the whole way flown.
TEST_F(ShotCandidateOrderTest, AFenceThinnerThanOneStepStopsShotsOfEverySpeedInASplitTree) {
  float const oldWidth = fenceWidth;
  setFenceWidth(40);
  auto addFence = [](Point a, Point b) {
    Fence* fence = new Fence(a, b);
    objMan.newObject(fence);
    fence->updateLastPosition();
    return fence;
  };
  // The wall across the way, 1280 to 1320, and short posts beside it that split the tree.
  Fence* wall = addFence(Point(100, 1300), Point(500, 1300));
  for (int i = 0; i < 6; i++) {
    addFence(Point(400 + 60 * i, 1100), Point(400 + 60 * i, 1150));
    addFence(Point(400 + 60 * i, 1400), Point(400 + 60 * i, 1450));
  }
  clearObstacleTree();
  buildObstacleTree();
  ASSERT_FALSE(obstacleTree.isLeaf());
  PlayerShip* own = addShip<PlayerShip>("none", 200, 1900);
  HoloDisplay* enemy = addShip<HoloDisplay>("none", 200, 700);
  for (int speed : {30, 100, 240}) {
    enemy->setHealth(5);
    ParameterProjectile* shot = fireFrom(own, Point(200, 1470), speed);
    // The fastest shot's first step ends where the tree does not list the wall.
    if (speed == 240) {
      VectorInterface<Obstacle*> nearEnd;
      Rect end = shot->getBounds();
      end.move(0, -240);
      getNearbyObstacles(end, nearEnd);
      for (int i = 0; i < nearEnd.size(); i++)
        ASSERT_NE(nearEnd.at(i), static_cast<Obstacle*>(wall)) << "the tree has not split finely";
    }
    for (int frame = 0; frame < 60 && projectiles.size() > 0; frame++) objMan.processObjects();
    EXPECT_EQ(projectiles.size(), 0) << "speed " << speed;
    EXPECT_FLOAT_EQ(enemy->getHealth(), 5) << "speed " << speed;
  }
  setFenceWidth(oldWidth);
}
