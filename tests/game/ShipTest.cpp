#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/Utils.h"
#include "game/AgentState.h"
#include "game/Console.h"
#include "game/Explosion.h"
#include "game/Fence.h"
#include "game/HoloDisplay.h"
#include "game/PlayerShip.h"
#include "game/Projectile.h"
#include "game/ShipWorld.h"
#include "presentation/Mouse.h"
#include "support/QorScreen.h"

namespace {
// A shot of given damage and effect, at a point, as a gun would set it up.
ParameterProjectile* makeShot(float damage, std::string const& effect, Point at) {
  XmlElement args;
  XmlElement d;
  d.setTag("damage");
  d.addArgument(std::to_string(damage));
  XmlElement e;
  e.setTag("effect");
  e.addArgument(effect);
  args.addArgument(d);
  args.addArgument(e);
  ParameterProjectile* shot = new ParameterProjectile();
  shot->init(args.getArguments(), nullptr);
  shot->setCenter(static_cast<float>(at.x), static_cast<float>(at.y));
  return shot;
}
}  // namespace

class ShipTest : public ShipWorldTest {};

// Ships that show the colour of their command-mode frame.
class TestCommandPlayer : public PlayerShip {
 public:
  Color frameColor() const { return commandRect.borderColor; }
};
class TestCommandEnemy : public HoloDisplay {
 public:
  Color frameColor() const { return commandRect.borderColor; }
};

TEST_F(ShipTest, HitsCostHealthAndShowASmallExplosionUnlessTheySlow) {
  HoloDisplay* ship = addShip<HoloDisplay>("none", 500, 500);
  ship->setHealth(3.0f);
  ship->maxSpeed = 4.0f;
  ParameterProjectile* slow = makeShot(0.5f, "speed", Point(500, 500));
  ship->takeHit(slow);
  EXPECT_FLOAT_EQ(ship->maxSpeed, 2.0f);
  EXPECT_FLOAT_EQ(ship->getHealth(), 3.0f);
  EXPECT_EQ(explosions.size(), 0);
  ParameterProjectile* hurt = makeShot(2.0f, "damage", Point(510, 490));
  ship->takeHit(hurt);
  EXPECT_FLOAT_EQ(ship->getHealth(), 1.0f);
  ASSERT_EQ(explosions.size(), 1);
  EXPECT_NEAR(explosions.at(0)->getCenter().x, 510, 8.01);
  delete slow;
  delete hurt;
}

TEST_F(ShipTest, AShipWithoutHealthExplodesAndLeavesEveryList) {
  HoloDisplay* ship = addShip<HoloDisplay>("none", 500, 500);
  ship->setHealth(0.0f);
  ASSERT_EQ(allShips.size(), 1);
  ship->process();
  EXPECT_EQ(allShips.size(), 0);
  EXPECT_EQ(shootables.size(), 0);
  EXPECT_EQ(colliders.size(), 0);
  EXPECT_EQ(pathFollowers.size(), 0);
  ASSERT_EQ(explosions.size(), 1);
  EXPECT_EQ(objMan.size(), 1);  // the explosion alone
}

TEST_F(ShipTest, RemovingThePlayerClearsItAndTheShootersOfItsShots) {
  PlayerShip* own = addShip<PlayerShip>("none", 500, 500);
  HoloDisplay* enemy = addShip<HoloDisplay>("none", 900, 500);
  ParameterProjectile* mine = new ParameterProjectile();
  mine->init(own);
  ParameterProjectile* theirs = new ParameterProjectile();
  theirs->init(enemy);
  objMan.newObject(mine);
  objMan.newObject(theirs);
  EXPECT_EQ(player, own);
  objMan.deleteObject(own, true);
  EXPECT_EQ(player, nullptr);
  EXPECT_EQ(mine->getShooter(), nullptr);
  EXPECT_EQ(theirs->getShooter(), static_cast<GunUser*>(enemy));
  EXPECT_EQ(friendlyShips.size(), 0);
}

TEST_F(ShipTest, ContactWithAFenceHurtsAndPushesEveryFrameOfContact) {
  // A fence across the ship's way; the ship moves into it from above.
  Fence* fence = new Fence(Point(0, 600), Point(1000, 600));
  objMan.newObject(fence);
  fence->updateLastPosition();
  clearObstacleTree();
  buildObstacleTree();
  HoloDisplay* ship = addShip<HoloDisplay>("none", 500, 450);
  ship->setHealth(10.0f);
  ship->setCenter(Point(500, 540));
  ship->clearAcceleration();
  ship->handleCollision(fence);
  EXPECT_FLOAT_EQ(ship->getHealth(), 9.0f);
  Point push = ship->getAcceleration();
  EXPECT_NEAR(std::sqrt(push.x * push.x + push.y * push.y), 25.0, 0.01);
  EXPECT_LT(push.y, 0);  // back up, the way it came
  // Away from the fence nothing happens.
  ship->setCenter(Point(500, 200));
  ship->Shape::updateLastPosition();
  ship->clearAcceleration();
  ship->handleCollision(fence);
  EXPECT_FLOAT_EQ(ship->getHealth(), 9.0f);
  EXPECT_EQ(ship->getAcceleration().x, 0.0);
  EXPECT_EQ(ship->getAcceleration().y, 0.0);
}

TEST_F(ShipTest, ThrustsPushAlongTheHeadingScaledByTheirMultipliers) {
  struct Case {
    char const* name;
    void (Ship::*thrust)();
    double dx, dy;  // per unit of maxSpeed, heading 0 (up)
  };
  setStrafeMult(0.5f);
  setReverseMult(0.25f);
  std::vector<Case> const cases = {{"thrust", &Ship::thrust, 0, -1},
                                   {"reverse", &Ship::reverseThrust, 0, 0.25},
                                   {"left", &Ship::leftThrust, -0.5, 0},
                                   {"right", &Ship::rightThrust, 0.5, 0}};
  for (Case const& c : cases) {
    HoloDisplay* ship = addShip<HoloDisplay>("none", 500, 500);
    ship->maxSpeed = 4.0f;
    ship->clearAcceleration();
    (ship->*c.thrust)();
    EXPECT_NEAR(ship->getAcceleration().x, 4 * c.dx, 1e-4) << c.name;
    EXPECT_NEAR(ship->getAcceleration().y, 4 * c.dy, 1e-4) << c.name;
  }
  setStrafeMult(1.0f);
  setReverseMult(1.0f);
}

TEST_F(ShipTest, FacingSnapsWithinTwiceTheTurnRateAndTurnsOtherwise) {
  struct Case {
    double offset;  // degrees counterclockwise of the heading to the target
    float angleAfter, angleInc;
  };
  std::vector<Case> const cases = {{7, 7, 0}, {8, 8, 0}, {9, 0, 4}, {-9, 0, -4}, {-7, 353, 0}};
  for (Case const& c : cases) {
    HoloDisplay* ship = addShip<HoloDisplay>("none", 500, 500);
    Point target = getPointAtAngle(Point(500, 500), Angle(c.offset), 300);
    ship->facePoint(target);
    EXPECT_NEAR(getAngleDist(ship->getAngle(), c.angleAfter), 0, 0.01) << c.offset;
    EXPECT_FLOAT_EQ(ship->getAngleInc(), c.angleInc) << c.offset;
  }
}

TEST_F(ShipTest, FarTargetsAreTurnedToAndThrustOnlyWhenNearlyFaced) {
  HoloDisplay* near7 = addShip<HoloDisplay>("none", 0, 2000);
  near7->maxSpeed = 1.0f;
  near7->clearAcceleration();
  near7->moveToward(getPointAtAngle(Point(0, 2000), Angle(7), 1500));
  EXPECT_NEAR(getAngleDist(near7->getAngle(), 7), 0, 0.01);
  EXPECT_GT(std::fabs(near7->getAcceleration().y), 0.9);
  HoloDisplay* off9 = addShip<HoloDisplay>("none", 0, 2000);
  off9->clearAcceleration();
  off9->moveToward(getPointAtAngle(Point(0, 2000), Angle(9), 1500));
  EXPECT_FLOAT_EQ(off9->getAngle(), 0.0f);
  EXPECT_FLOAT_EQ(off9->getAngleInc(), 4.0f);
  EXPECT_EQ(off9->getAcceleration().x, 0.0);
  EXPECT_EQ(off9->getAcceleration().y, 0.0);
  // Exactly far_dist away counts as far.
  EXPECT_TRUE(off9->isFar(Point(1200, 2000)));
  EXPECT_FALSE(off9->isFar(Point(1199, 2000)));
}

TEST_F(ShipTest, ADodgePointIsKeptAtTenAndReplacedCloser) {
  HoloDisplay* ship = addShip<HoloDisplay>("none", 2000, 2000);
  PlayerShip* own = addShip<PlayerShip>("none", 2600, 2000);
  ship->handleDodging(own);
  Point first = ship->getDodgePoint();
  ASSERT_TRUE(first.isSet());
  // Standing exactly 10.0 from it: kept.
  ship->setCenter(Point(first.x + 10.0, first.y));
  ship->handleDodging(own);
  EXPECT_EQ(ship->getDodgePoint().x, first.x);
  EXPECT_EQ(ship->getDodgePoint().y, first.y);
  // 9.99 from it: a new one.
  ship->setCenter(Point(first.x + 9.99, first.y));
  ship->handleDodging(own);
  Point second = ship->getDodgePoint();
  EXPECT_TRUE(second.x != first.x || second.y != first.y);
  // The timer runs out after 2 to 8 seconds.
  ship->setCenter(Point(second.x + 50, second.y));
  clock.advance(8001);
  ship->handleDodging(own);
  EXPECT_TRUE(ship->getDodgePoint().x != second.x || ship->getDodgePoint().y != second.y);
}

TEST_F(ShipTest, SightNeedsTheCircleAndNoFenceBetween) {
  HoloDisplay* ship = addShip<HoloDisplay>("none", 1000, 1000);
  // The radius is the camera's width at the first question: 1600.
  EXPECT_TRUE(ship->canSee(Point(2590, 1000)));
  EXPECT_FALSE(ship->canSee(Point(2610, 1000)));
  view.setRect(0, 0, 400, 300);
  EXPECT_TRUE(ship->canSee(Point(2590, 1000)));
  Fence* wall = new Fence(Point(1500, 0), Point(1500, 2000));
  objMan.newObject(wall);
  wall->updateLastPosition();
  EXPECT_FALSE(ship->canSee(Point(2000, 1000)));
  objMan.deleteObject(wall, true);
  EXPECT_TRUE(ship->canSee(Point(2000, 1000)));
}

TEST_F(ShipTest, CommandFramesAreGreenForFriendsRedForEnemiesYellowUnderTheMouse) {
  openTestScreen();
  TestCommandPlayer own;
  TestCommandEnemy enemy;
  for (Ship* s : {static_cast<Ship*>(&own), static_cast<Ship*>(&enemy)}) s->setRect(0, 0, 40, 40);
  own.setCenter(Point(500, 500));
  enemy.setCenter(Point(1500, 500));
  mouse.x = 3000;
  mouse.y = 3000;
  own.drawCommand();
  enemy.drawCommand();
  EXPECT_EQ(own.frameColor().getR(), 0);
  EXPECT_EQ(own.frameColor().getG(), 255);
  EXPECT_EQ(enemy.frameColor().getR(), 255);
  EXPECT_EQ(enemy.frameColor().getG(), 0);
  EXPECT_FLOAT_EQ(enemy.getCommandRect().getWidth(), 160.0f);
  mouse.x = 1570;  // inside the frame four ship widths wide, outside the ship
  mouse.y = 500;
  enemy.drawCommand();
  EXPECT_EQ(enemy.frameColor().getR(), 255);
  EXPECT_EQ(enemy.frameColor().getG(), 255);
  EXPECT_EQ(enemy.frameColor().getB(), 0);
}

TEST_F(ShipTest, AnAiShipShowsItsStateAndSightOnTheInfoLines) {
  HoloDisplay* enemy = addShip<HoloDisplay>("none", 500, 500);
  enemy->process();
  EXPECT_EQ(info[3], "current state: OnRailsState");
  EXPECT_EQ(info[4], "can see player: no player");
  addShip<PlayerShip>("none", 700, 500);
  enemy->process();
  EXPECT_EQ(info[4], "can see player: true");
  // Lines written over by others in between, and a new state, show again at the next step.
  printInfo("other", 3);
  printInfo("other", 4);
  enemy->switchState(attackState);
  enemy->process();
  EXPECT_EQ(info[3], "current state: AttackState");
  EXPECT_EQ(info[4], "can see player: true");
  enemy->switchState(onRailsState);
  enemy->process();
  EXPECT_EQ(info[3], "current state: OnRailsState");
  EXPECT_EQ(enemy->getEnemy(), static_cast<Agent*>(player));
  LogCapture errors;
  EXPECT_EQ(player->getEnemy(), nullptr);
  EXPECT_EQ(errors.lines(),
            std::vector<std::string>{
                "Error: getEnemy called on player (or NULL ship and player is NULL)"});
}

namespace {
// A state that moves its ship to a point and then asks whether to attack.
class MoveThenAskState : public AgentState {
 public:
  // Every state lists itself for the data files' state names; this one goes with its test.
  ~MoveThenAskState() override { agentStates.erase(this); }
  void process(Agent* agent) override {
    dynamic_cast<Ship*>(agent)->setCenter(to);
    bAnswer = agent->shouldAttack(agent->getEnemy());
  }
  Point to;
  bool bAnswer = false;
};
}  // namespace

// The attack test of a ship's state looks from where the ship stands when it asks, also when
// the ship looked for the player from elsewhere earlier in the same step.
TEST_F(ShipTest, TheAttackTestLooksFromWhereTheShipStandsWhenItAsks) {
  addShip<PlayerShip>("none", 1000, 1000);
  HoloDisplay* ship = addShip<HoloDisplay>("none", 1300, 1000);
  Fence* wall = new Fence(Point(1500, 0), Point(1500, 2000));
  objMan.newObject(wall);
  wall->updateLastPosition();
  AgentState* before = ship->getState();
  ASSERT_NE(before, nullptr);
  MoveThenAskState state;
  ship->switchState(state);
  state.to = Point(1700, 1000);  // behind the wall
  ship->process();
  EXPECT_FALSE(state.bAnswer);
  state.to = Point(1300, 1000);  // back in the open: seen again from there
  ship->process();
  EXPECT_TRUE(state.bAnswer);
  ship->switchState(before);
  objMan.deleteObject(wall, true);
}
