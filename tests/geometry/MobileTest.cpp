#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "core/GameServices.h"
#include "geometry/Mobile.h"
#include "support/LogCapture.h"
#include "support/PointBody.h"

// Bodies with a plain centre. The Verlet one keeps its last centre as a rectangle would.
class TestGeoSimpleBody : public TestPointBody<SimpleMobile> {
 public:
  void updateLast() override { updates++; }
  Point getVelocityField() { return velocity; }
  bool lastPosSet() { return bSetLastPos; }
  int updates = 0;
};

class TestGeoVerletBody : public TestPointBody<VerletMobile> {
 public:
  void updateLast() override { last = getCenter(); }
  Point getLastCenter() override { return last; }
  float getMass() { return mass; }
  Point last;
};

// Overrides neither getLastCenter nor updateLast.
class TestGeoBareBody : public VerletMobile {
 public:
  float getXCenter() const override { return 1; }
  float getYCenter() const override { return 2; }
  void move(float, float) override {}
  void setCenter(float, float) override {}
};

namespace {
void expectNear(Point const& p, double x, double y, double tolerance = 1e-4) {
  EXPECT_NEAR(p.x, x, tolerance);
  EXPECT_NEAR(p.y, y, tolerance);
}

class MobileTest : public ::testing::Test {
 protected:
  void TearDown() override {
    speedMultiplier = 1.0f;
    friction = 0.9f;
    air_density = 0.005f;
  }
  LogCapture log;
};
}  // namespace

TEST_F(MobileTest, DefaultsOfTheChain) {
  TestGeoVerletBody body;
  EXPECT_TRUE(body.atDest());
  EXPECT_FALSE(body.updated());
  EXPECT_EQ(body.getLastAngle(), -1);
  EXPECT_EQ(body.getMaxSpeed(), 10.0f);
  EXPECT_EQ(body.getMass(), 1.0f);
  EXPECT_EQ(body.getAcceleration(), Point(10, 10));
  EXPECT_FALSE(body.getAcceleration().isSet());
  EXPECT_EQ(friction, 0.9f);
  EXPECT_EQ(air_density, 0.005f);
  EXPECT_EQ(getXmlSpeedMultiplier(), 1.0f);
  TestGeoSimpleBody simple;
  EXPECT_EQ(simple.getVelocity(), Point(0, 0));
  EXPECT_TRUE(simple.getVelocity().isSet());
}

TEST_F(MobileTest, EulerStepAddsVelocityTimesSpeedMultiplier) {
  TestGeoSimpleBody body;
  body.setVelocity(Point(3, 4));
  body.handleMovement();
  expectNear(body.getCenter(), 3, 4);
  EXPECT_TRUE(body.updated());
  EXPECT_EQ(body.updates, 1) << "the step records the last position first";
  body.handleMovement();
  expectNear(body.getCenter(), 6, 8);

  speedMultiplier = 2.0f;
  body.handleMovement();
  expectNear(body.getCenter(), 12, 16);
}

TEST_F(MobileTest, SimpleApplyForceFollowsHeadings) {
  struct Case {
    double heading, x, y;
  } cases[] = {{90, -5, 0}, {0, 0, -5}, {180, 0, 5}, {270, 5, 0}};
  for (Case const& c : cases) {
    TestGeoSimpleBody body;
    body.applyForce(5, Angle(c.heading));
    expectNear(body.getVelocity(), c.x, c.y, 1e-6);
  }
  TestGeoSimpleBody body;
  body.applyForce(5, 90);
  body.applyForce(5, 0);
  expectNear(body.getVelocity(), -5, -5, 1e-6);
}

TEST_F(MobileTest, ReverseVelocityTwiceRestores) {
  TestGeoSimpleBody body;
  body.setVelocity(Point(3, -4));
  body.reverseVelocity();
  EXPECT_EQ(body.getVelocity(), Point(-3, 4));
  body.reverseVelocity();
  EXPECT_EQ(body.getVelocity(), Point(3, -4));
}

TEST_F(MobileTest, SimpleSetDirectionUsesOffsetFromBelow) {
  TestGeoSimpleBody body;
  body.setVelocity(Point(3, 4));
  body.setDirection(0);
  expectNear(body.getVelocity(), 0, 5, 1e-6);
  body.setDirection(90);
  expectNear(body.getVelocity(), -5, 0, 1e-6);
  TestGeoSimpleBody still;
  still.setDirection(45);
  expectNear(still.getVelocity(), 0, 0, 1e-12);
}

TEST_F(MobileTest, FreshVerletBodyFirstMovesByDefaultAcceleration) {
  TestGeoVerletBody body;
  body.handleMovement();
  expectNear(body.getCenter(), 10, 10);
  EXPECT_EQ(body.getAcceleration(), Point(0, 0)) << "the step clears the acceleration";
  EXPECT_TRUE(body.getAcceleration().isSet());
}

TEST_F(MobileTest, ClearedVerletBodyAtRestStays) {
  TestGeoVerletBody body;
  body.x = 5;
  body.y = 7;
  body.clearAcceleration();
  for (int i = 0; i < 5; i++) body.handleMovement();
  expectNear(body.getCenter(), 5, 7);
}

TEST_F(MobileTest, VerletStepCarriesDampedMotion) {
  TestGeoVerletBody body;
  body.clearAcceleration();
  body.applyForce(10, Angle(180));
  body.handleMovement();
  expectNear(body.getCenter(), 0, 10);
  // s = 10: netResistance = 0.9 * (1 - 0.05) = 0.855.
  body.handleMovement();
  expectNear(body.getCenter(), 0, 18.55);
}

TEST_F(MobileTest, SpeedMultiplierOnlyScalesTheDrag) {
  speedMultiplier = 2.0f;
  TestGeoVerletBody body;
  body.clearAcceleration();
  body.applyForce(10, Angle(180));
  body.handleMovement();
  expectNear(body.getCenter(), 0, 10);
  // vel = 20: drag 20 * 20 * 0.005 = 2; factor 0.9 * (20 - 2) / 20 = 0.81 on the step of 10.
  body.handleMovement();
  expectNear(body.getCenter(), 0, 18.1);
}

TEST_F(MobileTest, DragOfOneLeavesOnlyTheAcceleration) {
  TestGeoVerletBody body;
  body.clearAcceleration();
  body.applyForce(200, Angle(270));
  body.handleMovement();
  expectNear(body.getCenter(), 200, 0, 1e-3);
  body.applyForce(3, Angle(180));
  body.handleMovement();
  expectNear(body.getCenter(), 200, 3, 1e-3);
  // Beyond it the carried factor turns negative and the motion reverses.
  TestGeoVerletBody fast;
  fast.clearAcceleration();
  fast.applyForce(300, Angle(270));
  fast.handleMovement();
  fast.handleMovement();
  EXPECT_LT(fast.x, 300);
}

TEST_F(MobileTest, VerletApplyForceAddsUpAndIgnoresMass) {
  TestGeoVerletBody body;
  body.clearAcceleration();
  body.applyForce(5, Angle(90));
  expectNear(body.getAcceleration(), -5, 0);
  body.applyForce(5, Angle(0));
  expectNear(body.getAcceleration(), -5, -5);
  body.applyForce(2, Angle(270));
  expectNear(body.getAcceleration(), -3, -5);
}

TEST_F(MobileTest, VerletSetDirectionTurnsTheAcceleration) {
  TestGeoVerletBody body;
  body.clearAcceleration();
  body.applyForce(5, Angle(270));
  body.setDirection(0);
  expectNear(body.getAcceleration(), 0, 5, 1e-5);
  body.setDirection(180);
  expectNear(body.getAcceleration(), 0, -5, 1e-5);
}

TEST_F(MobileTest, VerletGetVelocityLogsBeforeFirstStep) {
  TestGeoVerletBody body;
  body.last = Point(0, 0);
  body.x = 2;
  expectNear(body.getVelocity(), 2, 0);
  EXPECT_EQ(log.lines(),
            std::vector<std::string>{"Error: getVelocity called when rect not updated"});
  body.clearAcceleration();
  body.handleMovement();
  body.getVelocity();
  EXPECT_EQ(log.lines().size(), 1u);
}

TEST_F(MobileTest, IsAtBelowNearDist) {
  TestGeoVerletBody body;
  EXPECT_TRUE(body.isAt(Point(19.9, 0)));
  EXPECT_FALSE(body.isAt(Point(20, 0)));
  EXPECT_FALSE(body.isAt(Point(0, -20)));
}

TEST_F(MobileTest, CentreSetters) {
  TestGeoVerletBody body;
  body.setCenter(Point(3.5, 4.5));
  expectNear(body.getCenter(), 3.5, 4.5);
  EXPECT_TRUE(body.getCenter().isSet());
  body.setXCenter(7);
  expectNear(body.getCenter(), 7, 4.5);
  body.setYCenter(9);
  expectNear(body.getCenter(), 7, 9);
}

TEST_F(MobileTest, UnimplementedOperationsOnlyLog) {
  TestGeoVerletBody body;
  body.moveToward(Point(1, 1));
  body.moveArrowKeys();
  body.moveWasd();
  body.setDest(3, 4);
  MoveToward mover;
  mover.process(&body);
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"Error: default moveToward not implemented",
                                                   "Error: Mobile::moveArrowKeys() not implemented",
                                                   "Error: Mobile::moveWasd() not implemented",
                                                   "Error: Mobile::setDest is not implemented",
                                                   "Error: MoveToward::process not implemented"}));
  EXPECT_TRUE(body.atDest());
  expectNear(body.getCenter(), 0, 0);
}

TEST_F(MobileTest, DefaultUpdateLastLogsTwoLinesAndTheStepGoesOn) {
  TestGeoBareBody body;
  body.updateLastPosition();
  EXPECT_TRUE(body.updated());
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"Error: Mobile::updateLast not overridden",
                                                   " Should not be calling verlet?"}));
}

TEST_F(MobileTest, MissingGetLastCenterEndsWithStatus2) {
  EXPECT_EXIT(
      {
        TestGeoBareBody body;
        body.getLastCenter();
      },
      ::testing::ExitedWithCode(2), "");
  EXPECT_EQ(log.lines(),
            std::vector<std::string>{
                "Error: object does not implement getLastCenter, object: TestGeoBareBody"});
}

TEST_F(MobileTest, SecondVerletStepOfBareBodyEndsWithStatus2) {
  EXPECT_EXIT(
      {
        TestGeoBareBody body;
        body.clearAcceleration();
        body.handleMovement();
        body.handleMovement();
      },
      ::testing::ExitedWithCode(2), "");
}

TEST_F(MobileTest, DebugInfoWritesCentreAndCloses) {
  TestGeoVerletBody body;
  body.x = 1.5;
  body.y = -2;
  char path[] = "/tmp/qormobileXXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);
  std::ofstream out(path);
  body.debugInfo(out);
  EXPECT_FALSE(out.is_open());
  std::ifstream in(path);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "From Mobile:\ngetXCenter(): 1.5\ngetYCenter(): -2\n-Mobile\n");
  std::remove(path);
}

TEST_F(MobileTest, FrictionAndAirDensitySetters) {
  setFriction(0.5f);
  setAirDensity(0.0f);
  TestGeoVerletBody body;
  body.clearAcceleration();
  body.applyForce(10, Angle(180));
  body.handleMovement();
  body.handleMovement();
  expectNear(body.getCenter(), 0, 15);
}
