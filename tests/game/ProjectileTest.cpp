#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "core/GetParents.h"
#include "game/Barrier.h"
#include "game/Fence.h"
#include "game/HoloDisplay.h"
#include "game/PlayerShip.h"
#include "game/Projectile.h"
#include "game/ShipWorld.h"

namespace {
// A shot as a gun sets it up, from "projectile" arguments given as markup.
ParameterProjectile* fire(std::string const& args, GunUser* user) {
  std::istringstream in("<projectile> " + args + " </projectile>");
  XmlElement element;
  readElement(in, element, "");
  ParameterProjectile* shot = new ParameterProjectile();
  shot->init(element.getArguments(), user);
  objMan.newObject(shot);
  return shot;
}

// Frames until the shot is gone, at most limit.
int framesToLive(int limit) {
  int frames = 0;
  while (projectiles.size() > 0 && frames < limit) {
    objMan.processObjects();
    frames++;
  }
  return frames;
}
}  // namespace

class ProjectileTest : public ShipWorldTest {};

TEST_F(ProjectileTest, RangeIsFourThousandAtOneBaseSpeedPerFrame) {
  struct Case {
    std::string args;
    int frames;
  };
  // Flying sideways across a large level: only the distance ends them.
  std::vector<Case> const cases = {
      {"", 126}, {"<speed> 64 </speed>", 63}, {"<speed> 40 </speed>", 101}};
  worldBounds.setRect(-100000, -100000, 100000, 100000);
  for (Case const& c : cases) {
    fire(c.args, nullptr);
    EXPECT_EQ(framesToLive(1000), c.frames) << c.args;
  }
}

TEST_F(ProjectileTest, AShotEndsInTheFrameItsCentreLeavesTheLevel) {
  ParameterProjectile* shot = fire("<speed> 30 </speed> <angle> 90 </angle>", nullptr);
  shot->setCenter(100, 2000);  // heading 90 flies toward smaller x
  // 100 -> 70 -> 40 -> 10 -> -20: out in the fourth frame.
  EXPECT_EQ(framesToLive(100), 4);
}

TEST_F(ProjectileTest, SetUpTakesOffsetsInWorldAxesAndTurnsByTheShooter) {
  PlayerShip* own = addShip<PlayerShip>("none", 1000, 1000, 90);
  ParameterProjectile* shot = fire(
      "<origin_x> 0.5 </origin_x> <origin_y> -1 </origin_y> <angle> 10 </angle> <damage> 4 "
      "</damage> <effect> speed </effect> <sparkle> 1 </sparkle>",
      own);
  float w = shot->SimpleRect::getWidth(), h = shot->SimpleRect::getHeight();
  EXPECT_NEAR(shot->getCenter().x, 1000 + 0.5 * w, 1e-3);
  EXPECT_NEAR(shot->getCenter().y, 1000 - h, 1e-3);
  EXPECT_FLOAT_EQ(shot->getAngle(), 100.0f);
  EXPECT_FLOAT_EQ(shot->getDamage(), 4.0f);
  EXPECT_EQ(shot->getEffect(), "speed");
  Point v = shot->getVelocity();
  EXPECT_NEAR(v.x, -32 * std::cos(10 * PI / 180), 1e-3);
  EXPECT_NEAR(v.y, 32 * std::sin(10 * PI / 180), 1e-3);
  bool logged = false;
  for (std::string const& l : log.lines()) logged |= l == "Error: unrecognized tag: sparkle";
  EXPECT_TRUE(logged);
}

TEST_F(ProjectileTest, WhoCanBeHitDependsOnWhoFired) {
  // Player at the bottom, two enemies above it in a column, all 40 wide.
  PlayerShip* own = addShip<PlayerShip>("none", 1000, 1500);
  HoloDisplay* nearEnemy = addShip<HoloDisplay>("none", 1000, 1300);
  HoloDisplay* farEnemy = addShip<HoloDisplay>("none", 1000, 1100);
  for (Ship* s :
       {static_cast<Ship*>(own), static_cast<Ship*>(nearEnemy), static_cast<Ship*>(farEnemy)})
    s->setHealth(5);
  // The player's shot up the column starts inside the player: never hits it, hits the first
  // enemy only.
  fire("<speed> 250 </speed>", own);
  framesToLive(10);
  EXPECT_FLOAT_EQ(own->getHealth(), 5);
  EXPECT_FLOAT_EQ(nearEnemy->getHealth(), 4);
  EXPECT_FLOAT_EQ(farEnemy->getHealth(), 5);
  // The far enemy fires down the column: through its fellow, into the player.
  fire("<speed> 250 </speed> <angle> 180 </angle>", farEnemy);
  framesToLive(10);
  EXPECT_FLOAT_EQ(nearEnemy->getHealth(), 4);
  EXPECT_FLOAT_EQ(own->getHealth(), 4);
  EXPECT_FLOAT_EQ(farEnemy->getHealth(), 5);
  // The ship that fired is at the end of the shootables afterwards.
  EXPECT_EQ(shootables.at(shootables.size() - 1), static_cast<Shootable*>(farEnemy));
}

TEST_F(ProjectileTest, AFenceStopsAShotWithoutHarm) {
  Fence* fence = new Fence(Point(0, 1200), Point(4000, 1200));
  objMan.newObject(fence);
  fence->updateLastPosition();
  clearObstacleTree();
  buildObstacleTree();
  PlayerShip* own = addShip<PlayerShip>("none", 1000, 1500);
  HoloDisplay* enemy = addShip<HoloDisplay>("none", 1000, 1000);
  enemy->setHealth(5);
  fire("<speed> 100 </speed>", own);
  int frames = framesToLive(20);
  EXPECT_LT(frames, 5);
  EXPECT_FLOAT_EQ(enemy->getHealth(), 5);
  EXPECT_EQ(fences.size(), 1);
}

TEST_F(ProjectileTest, AShotOfADeadShooterFliesOnAsNobodysShot) {
  HoloDisplay* enemy = addShip<HoloDisplay>("none", 1000, 1000);
  ParameterProjectile* shot = fire("<speed> 10 </speed>", enemy);
  objMan.deleteObject(enemy, true);
  EXPECT_EQ(shot->getShooter(), nullptr);
  objMan.processObjects();
  EXPECT_EQ(projectiles.size(), 1);
  EXPECT_EQ(shootables.size(), 0);
}

TEST_F(ProjectileTest, AForeignBarrierSendsTheShotBackThreeTimesAsFast) {
  PlayerShip* own = addShip<PlayerShip>("none", 1000, 1500);
  HoloDisplay* enemy = addShip<HoloDisplay>("none", 1000, 1250);
  enemy->setHealth(5);
  createBarrier(own, 90, 110, 20, 10);
  ParameterProjectile* shot = fire("<speed> 40 </speed> <angle> 180 </angle>", enemy);
  for (int i = 0; i < 9 && projectiles.size() == 1 && !shot->isReflected(); i++)
    objMan.processObjects();
  ASSERT_EQ(projectiles.size(), 1);
  ASSERT_TRUE(shot->isReflected());
  Point v = shot->getVelocity();
  EXPECT_NEAR(std::sqrt(v.x * v.x + v.y * v.y), 240.0, 1e-3);
  EXPECT_LT(v.y, 0);  // back up toward the enemy
  framesToLive(20);
  EXPECT_FLOAT_EQ(enemy->getHealth(), 4);
  EXPECT_FLOAT_EQ(own->getHealth(), 7);
}

TEST_F(ProjectileTest, TheBarriersOwnShipsShotsPassThrough) {
  PlayerShip* own = addShip<PlayerShip>("none", 1000, 1500);
  createBarrier(own, 90, 110, 20, 10);
  ParameterProjectile* shot = fire("<speed> 40 </speed>", own);
  objMan.processObjects();
  objMan.processObjects();
  objMan.processObjects();
  EXPECT_FALSE(shot->isReflected());
}

// A shot set up again for another shooter takes that shooter out of its reach, not the first.
TEST_F(ProjectileTest, AShotGivenANewShooterLeavesTheNewShooterOutOfReach) {
  HoloDisplay* first = addShip<HoloDisplay>("none", 1000, 1000);
  HoloDisplay* second = addShip<HoloDisplay>("none", 3000, 3000);
  addShip<HoloDisplay>("none", 3000, 1000);
  // Flying toward smaller x, away from every ship.
  ParameterProjectile* shot = fire("<speed> 10 </speed> <angle> 90 </angle>", first);
  objMan.processObjects();
  EXPECT_EQ(shootables.at(shootables.size() - 1), static_cast<Shootable*>(first));
  shot->init(second);
  objMan.processObjects();
  EXPECT_EQ(shot->getShooter(), static_cast<GunUser*>(second));
  EXPECT_EQ(shootables.at(shootables.size() - 1), static_cast<Shootable*>(second));
  EXPECT_EQ(shootables.size(), 3);
}

// The shooter's first entry in the shootables goes to the end of the list while its shot flies,
// wherever it stands in a long list, and a second entry of it stays where it is.
TEST_F(ProjectileTest, AShotMovesTheFirstEntryOfItsShooterToTheEnd) {
  struct Case {
    int shooter;
    int again;  // where the shooter is listed a second time; -1: only once
  };
  std::vector<Case> const cases = {{0, -1},  {7, -1}, {8, -1}, {15, -1}, {16, -1},
                                   {20, -1}, {3, 12}, {9, 20}, {19, 20}};
  for (Case const& c : cases) {
    std::vector<HoloDisplay*> ships;
    for (int i = 0; i < 21; i++)
      ships.push_back(addShip<HoloDisplay>("none", 1000 + 100 * i, 1000));
    if (c.again >= 0) {
      std::vector<Shootable*>& list = shootables.getVect();
      list.insert(list.begin() + c.again, static_cast<Shootable*>(ships[c.shooter]));
    }
    std::vector<Shootable*> expected = shootables.getVect();
    expected.erase(expected.begin() + c.shooter);
    expected.push_back(ships[c.shooter]);
    // Flying toward smaller y, away from every ship.
    fire("<speed> 10 </speed>", ships[c.shooter]);
    objMan.processObjects();
    EXPECT_EQ(shootables.getVect(), expected) << "shooter " << c.shooter << " again " << c.again;
    // The second entry is left to take out; then the ships leave the lists.
    if (c.again >= 0) shootables.erase(static_cast<Shootable*>(ships[c.shooter]));
    objMan.deleteObjects(true);
    EXPECT_EQ(shootables.size(), 0);
  }
}

// Whether the shooter is a Shootable is asked by the class table of each frame: read again
// without that parent, the ship that fired stays where it stands.
TEST_F(ProjectileTest, TheShooterMovesByTheClassTableOfTheFrame) {
  std::vector<HoloDisplay*> ships;
  for (int i = 0; i < 3; i++) ships.push_back(addShip<HoloDisplay>("none", 1000 + 200 * i, 1000));
  std::vector<Shootable*> const shooterFirst = {ships[0], ships[1], ships[2]};
  std::vector<Shootable*> const shooterLast = {ships[1], ships[2], ships[0]};
  fire("<speed> 10 </speed>", ships[0]);
  objMan.processObjects();
  EXPECT_EQ(shootables.getVect(), shooterLast);
  std::ifstream file("heirarchy.hcy");
  std::string const table((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::string const shipLine = "\nShip Shootable ";
  std::string withoutShootable = table;
  size_t const at = withoutShootable.find(shipLine);
  ASSERT_NE(at, std::string::npos);
  withoutShootable.replace(at, shipLine.size(), "\nShip ");
  struct Case {
    std::string const* table;
    std::vector<Shootable*> const* after;
  };
  for (Case const& c : {Case{&withoutShootable, &shooterFirst}, Case{&table, &shooterLast}}) {
    shootables.getVect() = shooterFirst;
    getHeirarchy().clear();
    std::istringstream in(*c.table);
    readHeirarchy(in);
    objMan.processObjects();
    EXPECT_EQ(shootables.getVect(), *c.after);
  }
}
