#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "core/TypedLists.h"
#include "game/SpaceObject.h"

// The least a space object needs to be made.
class TestSpaceProbe : public SpaceObject {
 public:
  void loadDefaultFrames() override {}
  void process() override {}
  SaveLoad* makeCopy() override { return new TestSpaceProbe; }
  float getWidth() const override { return SimpleRect::getWidth(); }
  float getHeight() const override { return SimpleRect::getHeight(); }
  void activateDefaultCommand() override {}
};

class SpaceObjectTest : public ::testing::Test {
 protected:
  void TearDown() override {
    pathFollowers.clear();
    defaultMaxSpeed = 5.0f;
  }
};

TEST_F(SpaceObjectTest, StartsWithItsLimitsAndNoPush) {
  TestSpaceProbe probe;
  EXPECT_FLOAT_EQ(probe.maxAccel, 2.0f);
  EXPECT_FLOAT_EQ(probe.maxSpeed, 5.0f);
  EXPECT_FLOAT_EQ(probe.getMaxSpeed(), 5.0f);
  EXPECT_TRUE(probe.bApplyFriction);
  EXPECT_TRUE(probe.canMove());
  EXPECT_EQ(probe.getAcceleration().x, 0.0);
  EXPECT_EQ(probe.getAcceleration().y, 0.0);
  // No starting push: a Verlet step of a body at rest leaves it where it is.
  probe.setRect(100, 100, 110, 110);
  probe.VerletMobile::handleMovement();
  EXPECT_FLOAT_EQ(probe.getCenter().x, 105.0f);
  EXPECT_FLOAT_EQ(probe.getCenter().y, 105.0f);
}

TEST_F(SpaceObjectTest, FenceSpeedReachesOnlyObjectsBuiltAfterwards) {
  TestSpaceProbe before;
  setFenceSpeed(7.5f);
  TestSpaceProbe after;
  EXPECT_FLOAT_EQ(before.getMaxSpeed(), 5.0f);
  EXPECT_FLOAT_EQ(after.getMaxSpeed(), 7.5f);
  EXPECT_FLOAT_EQ(defaultMaxSpeed, 7.5f);
}

TEST_F(SpaceObjectTest, AnchorsABarrierWithItsCentreAndHeading) {
  TestSpaceProbe probe;
  probe.setRect(0, 0, 40, 20);
  probe.setCenter(Point(300, 200));
  probe.setAngle(135.0f);
  BarrierCreator* anchor = &probe;
  EXPECT_EQ(anchor->getCenter().x, 300.0);
  EXPECT_EQ(anchor->getCenter().y, 200.0);
  EXPECT_FLOAT_EQ(anchor->getAngle(), 135.0f);
  probe.setAngle(10.0f);
  probe.move(5, -5);
  EXPECT_FLOAT_EQ(anchor->getAngle(), 10.0f);
  EXPECT_EQ(anchor->getCenter().x, 305.0);
  EXPECT_EQ(anchor->getCenter().y, 195.0);
}

TEST_F(SpaceObjectTest, IdsAreUniqueForTheRunAndTakenFromTheOneCounter) {
  TestSpaceProbe first;
  int next = nextId;
  TestSpaceProbe second;
  EXPECT_NE(first.getId(), second.getId());
  EXPECT_EQ(second.getId(), next);
  EXPECT_EQ(nextId, next + 1);
}

TEST_F(SpaceObjectTest, EntersAndLeavesThePathFollowers) {
  TestSpaceProbe a, b;
  a.addToLists();
  b.addToLists();
  ASSERT_EQ(pathFollowers.size(), 2);
  EXPECT_EQ(pathFollowers.at(0), static_cast<PathFollower*>(&a));
  a.removeFromLists();
  ASSERT_EQ(pathFollowers.size(), 1);
  EXPECT_EQ(pathFollowers.at(0), static_cast<PathFollower*>(&b));
  b.removeFromLists();
  EXPECT_EQ(pathFollowers.size(), 0);
}

TEST_F(SpaceObjectTest, DebugInfoAddsItsAccelerationAfterTheRectangle) {
  TestSpaceProbe probe;
  probe.setRect(0, 0, 10, 10);
  probe.applyForce(2.0f, Angle(0));
  char pattern[] = "/tmp/qorspaceXXXXXX";
  int fd = mkstemp(pattern);
  ASSERT_GE(fd, 0);
  {
    std::ofstream out(pattern);
    probe.debugInfo(out);
  }
  std::ifstream in(pattern);
  std::stringstream text;
  text << in.rdbuf();
  std::remove(pattern);
  std::string s = text.str();
  size_t rect = s.find("For SimpleRect");
  size_t own = s.find("For SpaceObject\nacceleration: ");
  ASSERT_NE(rect, std::string::npos);
  ASSERT_NE(own, std::string::npos);
  EXPECT_LT(rect, own);
  std::istringstream tail(s.substr(own + std::string("For SpaceObject\nacceleration: ").size()));
  double ax = 1, ay = 0;
  std::string end;
  tail >> ax >> ay >> end;
  EXPECT_NEAR(ax, 0.0, 1e-5);
  EXPECT_NEAR(ay, -2.0, 1e-5);
  EXPECT_EQ(end, "-SpaceObject");
  EXPECT_EQ(s.back(), '\n');
}
