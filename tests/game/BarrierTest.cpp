#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "core/GetParents.h"
#include "core/TypedLists.h"
#include "game/Barrier.h"
#include "game/Console.h"
#include "game/GameStates.h"
#include "game/Gun.h"
#include "game/Projectile.h"
#include "game/QorObjMan.h"
#include "presentation/Text.h"
#include "presentation/View.h"
#include "support/QorScreen.h"
#include "support/ScriptedInput.h"

// A space object that fires: the anchor of the barriers of the test.
class TestWallShip : public SpaceObject, public GunUser {
 public:
  void loadDefaultFrames() override {}
  void process() override {}
  SaveLoad* makeCopy() override { return new TestWallShip; }
  float getWidth() const override { return SimpleRect::getWidth(); }
  float getHeight() const override { return SimpleRect::getHeight(); }
  void activateDefaultCommand() override {}
  Point getCenter() const override { return SpaceObject::getCenter(); }
  float getAngle() const override { return SpaceObject::getAngle(); }
  bool trigger(Gun*) override { return false; }
};

namespace {
double length(Point const& p) { return std::sqrt(p.x * p.x + p.y * p.y); }
}  // namespace

class BarrierTest : public ::testing::Test {
 protected:
  void SetUp() override {
    readHeirarchy();
    std::istringstream extra("TestWallShip SpaceObject GunUser ;\n");
    readHeirarchy(extra);
    worldBounds.setRect(0, 0, 2000, 2000);
    ship = new TestWallShip;
    ship->setRect(0, 0, 40, 40);
    ship->setCenter(Point(400, 300));
    ship->setAngle(0);
    objMan.newObject(ship);
  }
  void TearDown() override { objMan.deleteObjects(true); }
  Barrier* made() { return barriers.size() ? barriers.at(barriers.size() - 1) : nullptr; }
  TestWallShip* ship = nullptr;
};

TEST_F(BarrierTest, AQuarterArcChordInFrontOfTheShip) {
  createBarrier(ship, 90.0f, 110.0f, 10.0f, 10);
  Barrier* barrier = made();
  ASSERT_NE(barrier, nullptr);
  EXPECT_EQ(barriers.size(), 1);
  EXPECT_EQ(obstacles.size(), 0) << "barriers never enter the obstacles";
  EXPECT_NEAR(length(barrier->getPointA() - Point(400, 300)), 110, 1e-3);
  EXPECT_NEAR(length(barrier->getPointB() - Point(400, 300)), 110, 1e-3);
  EXPECT_NEAR(barrier->getHeight(), 2 * 110 * std::sin(M_PI / 4), 1e-3) << "about 155.6";
  EXPECT_NEAR(barrier->getWidth(), 10, 1e-3);
  // Heading 0 is up: the chord lies across the ship's way, above it.
  EXPECT_NEAR(barrier->getCenter().x, 400, 1e-3);
  EXPECT_NEAR(barrier->getCenter().y, 300 - 110 * std::cos(M_PI / 4), 1e-3);
  EXPECT_EQ(barrier->getNumCycles(), 0);
}

TEST_F(BarrierTest, FollowsItsShipAndLivesItsFramesPlusOne) {
  createBarrier(ship, 90.0f, 110.0f, 10.0f, 10);
  Barrier* barrier = made();
  for (int frame = 1; frame <= 10; frame++) {
    ship->move(10, 0);
    ship->setAngle(frame * 9.0f);
    objMan.processObjects();
    ASSERT_EQ(barriers.size(), 1) << "frame " << frame;
    EXPECT_EQ(barrier->getNumCycles(), frame);
    Point c = ship->getCenter();
    // The chord's middle lies straight ahead of the ship, at its present heading.
    Point ahead = c + getPointAtAngle(Angle(frame * 9.0), 110 * std::cos(M_PI / 4));
    EXPECT_NEAR(barrier->getCenter().x, ahead.x, 1e-3);
    EXPECT_NEAR(barrier->getCenter().y, ahead.y, 1e-3);
  }
  objMan.processObjects();
  EXPECT_EQ(barriers.size(), 0) << "deleted in its 11th frame";
}

TEST_F(BarrierTest, OwnShotsPassForeignOnesComeBackThreeTimesAsFast) {
  createBarrier(ship, 90.0f, 110.0f, 10.0f, 10);
  Barrier* barrier = made();
  TestWallShip other;

  Projectile own;
  own.setRect(0, 0, 4, 4);
  own.init(barrier->getCenter(), ship);
  own.setVelocity(Point(0, 20));
  barrier->takeHit(&own);
  EXPECT_FALSE(own.isReflected());
  EXPECT_DOUBLE_EQ(own.SimpleMobile::getVelocity().y, 20);

  Projectile foreign;
  foreign.setRect(0, 0, 4, 4);
  foreign.init(barrier->getCenter() + Point(0, -20), &other);
  foreign.setVelocity(Point(0, 20));
  barrier->takeHit(&foreign);
  EXPECT_TRUE(foreign.isReflected());
  Point v = foreign.SimpleMobile::getVelocity();
  EXPECT_NEAR(length(v), 3 * 80.0, 1e-3);
  EXPECT_LT(v.y, 0) << "back the way it came";

  // Already reflected: sent on as it is, only pushed out of the barrier.
  foreign.setVelocity(Point(5, -7));
  barrier->takeHit(&foreign);
  EXPECT_DOUBLE_EQ(foreign.SimpleMobile::getVelocity().x, 5);
  EXPECT_DOUBLE_EQ(foreign.SimpleMobile::getVelocity().y, -7);
}

// A ship may die while its barrier stands: the barrier then goes too, without reading it.
TEST_F(BarrierTest, ABarrierWhoseShipIsGoneDeletesItself) {
  createBarrier(ship, 90.0f, 110.0f, 10.0f, 10);
  Barrier* barrier = made();
  objMan.deleteObject(ship, true);
  ship = nullptr;
  Projectile shot;
  shot.setRect(0, 0, 4, 4);
  shot.setVelocity(Point(0, 20));
  barrier->takeHit(&shot);
  EXPECT_FALSE(shot.isReflected());
  objMan.processObjects();
  EXPECT_EQ(barriers.size(), 0);
}

TEST_F(BarrierTest, InPlayItIsDrawnWhiteAndGoesAfterItsFrames) {
  openTestScreen();
  // The info lines of play are drawn in the one font.
  loadFont("FreeMono.ttf", 14);
  ScriptedInput input;
  bLockFps = false;
  view.setRect(0, 0, 800, 600);
  view.setAngle(0);
  gameState = &localState;
  createBarrier(ship, 90.0f, 110.0f, 10.0f, 3);
  for (int frame = 1; frame <= 3; frame++) {
    runFrame();
    ASSERT_EQ(barriers.size(), 1);
  }
  // The barrier's long edges run across x at y = 222.2 -+ 5.
  Point edge(400, 300 - 110 * std::cos(M_PI / 4) - 5);
  view.mapToView(edge);
  glReadBuffer(GL_BACK);
  int white = 0;
  for (int dy = -1; dy <= 1; dy++) {
    Pixel p = readPixel(static_cast<int>(std::lround(edge.x)),
                        static_cast<int>(std::lround(edge.y)) + dy);
    if (p.r == 255 && p.g == 255 && p.b == 255) white++;
  }
  EXPECT_GE(white, 1);
  EXPECT_TRUE(readPixel(400, 300).isBlack()) << "an outline, not filled";
  runFrame();
  EXPECT_EQ(barriers.size(), 0);
  gameState = nullptr;
}
