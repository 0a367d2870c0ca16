#include <gtest/gtest.h>

#include "geometry/PathFollower.h"
#include "support/LogCapture.h"
#include "support/PointBody.h"

class TestGeoFollower : public TestPointBody<PathFollower> {
 public:
  void updateLast() override { last = Mobile::getCenter(); }
  Point getLastCenter() override { return last; }
  Point getCenter() const override { return Mobile::getCenter(); }
  PathNode* getDest() { return destNode; }
  PathNode* getPrev() { return prevNode; }
  float getPrevDist() { return prevDist; }
  Point last;
};

TEST(PathFollowerTest, NewFollowerHasNoPathAndMovesByVerletAlone) {
  TestGeoFollower follower;
  EXPECT_EQ(follower.pathSize(), 0);
  EXPECT_EQ(follower.getPathSize(), 0);
  EXPECT_FALSE(follower.hasPath());
  EXPECT_EQ(follower.getDest(), nullptr);
  EXPECT_EQ(follower.getPrev(), nullptr);
  EXPECT_EQ(follower.getPrevDist(), -1);
  follower.handleMovement();
  EXPECT_EQ(follower.getCenter(), Point(10, 10)) << "the default acceleration";
  follower.handleMovement();
  // Carried: 0.9 * (1 - 0.005 * |(10, 10)|) of the last step.
  float s = dist(0, 0, 10, 10);
  float factor = 0.9f * ((s - s * s * 0.005f) / s);
  EXPECT_NEAR(follower.x, 10 + 10 * factor, 1e-4);
}

TEST(PathFollowerTest, OneNodeIsNoPath) {
  TestGeoFollower follower;
  follower.getPathRef().push_back(nullptr);
  EXPECT_FALSE(follower.hasPath());
  follower.getPathRef().push_back(nullptr);
  EXPECT_TRUE(follower.hasPath());
  EXPECT_EQ(follower.pathSize(), 2);
}

TEST(PathFollowerTest, BaseSpeedUnsetLogsClassName) {
  LogCapture log;
  TestGeoFollower follower;
  EXPECT_EQ(follower.getBaseSpeed(), -1);
  EXPECT_EQ(log.lines(),
            std::vector<std::string>{"Error: base speed not set for: TestGeoFollower"});
  follower.setBaseSpeed(32);
  EXPECT_EQ(follower.getBaseSpeed(), 32);
  EXPECT_EQ(log.lines().size(), 1u);
}

// The nodes belong to one follower: a copy does not take them, so that no node can be deleted
// twice. Null entries stand in for nodes here, which every owner may delete safely.
TEST(PathFollowerTest, CopiesDoNotShareTheNodes) {
  TestGeoFollower original;
  original.getPathRef().push_back(nullptr);
  original.getPathRef().push_back(nullptr);
  original.setBaseSpeed(3);
  original.x = 4;

  TestGeoFollower copy(original);
  EXPECT_EQ(copy.pathSize(), 0);
  EXPECT_EQ(copy.getDest(), nullptr);
  EXPECT_EQ(copy.getBaseSpeed(), 3) << "the base speed is copied";
  EXPECT_EQ(copy.x, 4);
  EXPECT_EQ(original.pathSize(), 2);

  TestGeoFollower target;
  target.getPathRef().push_back(nullptr);
  target = original;
  EXPECT_EQ(target.pathSize(), 1) << "assignment keeps the target's own path";
  EXPECT_EQ(target.getBaseSpeed(), 3);
  EXPECT_EQ(original.pathSize(), 2);
}
