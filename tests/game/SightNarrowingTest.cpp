// Sight lines consult the obstacle tree for the fences near them. On random levels (fixed
// seeds) with still and sweeping fences, fences reaching past the level's edge and fences
// that join after the tree was built, every sight line must get the answer of the scan over
// every fence.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/GameServices.h"
#include "core/GetParents.h"
#include "core/TypedLists.h"
#include "game/Fence.h"
#include "game/FenceNode.h"
#include "game/FenceSightIndex.h"
#include "game/ObstacleTree.h"
#include "game/QorObjMan.h"
#include "game/Regions.h"
#include "geometry/Collisions.h"
#include "presentation/View.h"
#include "support/FencePosts.h"
#include "support/LogCapture.h"

namespace {
class SightNarrowingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    readHeirarchy();
    bFirstCycle = false;
    worldBounds.setRect(0, 0, 3000, 3000);
    setUpRegions();
  }
  void TearDown() override {
    clearObstacleTree();
    objMan.deleteObjects(true);
    bFirstCycle = true;
  }
  // Chains of posts, some riding paths, some placed beyond the level's edge.
  void makeLevel(unsigned seed) {
    std::mt19937 random(seed);
    makeFenceChains(random, FenceChains{-200, 3200, 60, 15}, [](int) {});
    buildAllFences();
    for (int i = 0; i < pathFollowers.size(); i++) pathFollowers.at(i)->connectPathNodes();
    clearObstacleTree();
    buildObstacleTree();
  }
  // Sight lines of every length up to a screen and a half, many of them through fences.
  void expectScanAnswers(unsigned seed, int& blocked, int& clear) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> place(-300, 3300);
    std::uniform_real_distribution<float> reach(-1200, 1200);
    for (int i = 0; i < 3000; i++) {
      Point a(place(random), place(random));
      Point b(a.x + reach(random), a.y + reach(random));
      if (i % 10 == 0) b = a;
      bool bScan = lineOfSightThrough(fences.getVect(), a, b);
      ASSERT_EQ(lineOfSight(a, b), bScan)
          << "from " << a.x << " " << a.y << " to " << b.x << " " << b.y;
      (bScan ? clear : blocked)++;
    }
  }
  LogCapture log;
};
}  // namespace

TEST_F(SightNarrowingTest, NarrowedSightAnswersAsTheScanOverEveryFence) {
  for (unsigned seed : {11u, 12u, 13u}) {
    SCOPED_TRACE(seed);
    makeLevel(seed);
    ASSERT_GT(fences.size(), 100);
    EXPECT_TRUE(isFenceSightIndexReady());
    int blocked = 0, clear = 0;
    expectScanAnswers(seed, blocked, clear);
    // Posts ride their paths: the sweeping fences move, the still ones stay filed.
    for (int frame = 0; frame < 40; frame++) objMan.processObjects();
    expectScanAnswers(seed + 100, blocked, clear);
    EXPECT_GT(blocked, 1000);
    EXPECT_GT(clear, 1000);
    clearObstacleTree();
    objMan.deleteObjects(true);
  }
}

// The centre lines of filed fences are kept between sight lines: a fence whose corners change
// (here each still fence drawn in to the middle half of its line, within the area it was filed
// under) is seen where it stands now, by sight lines asked before and after the change.
TEST_F(SightNarrowingTest, AFenceWhoseCornersChangeIsSeenWhereItStandsNow) {
  makeLevel(41);
  int blocked = 0, clear = 0;
  expectScanAnswers(41, blocked, clear);
  int changed = 0;
  for (int i = 0; i < fences.size(); i++) {
    Fence* fence = fences.at(i);
    if (fence->getNodeA()->hasPath() || fence->getNodeB()->hasPath()) continue;
    Point const a = fence->getPointA(), b = fence->getPointB();
    Point const quarter((b.x - a.x) / 4, (b.y - a.y) / 4);
    fence->setMidpoints(a + quarter, b - quarter, fenceWidth);
    changed++;
  }
  ASSERT_GT(changed, 100);
  expectScanAnswers(41, blocked, clear);
  expectScanAnswers(42, blocked, clear);
}

TEST_F(SightNarrowingTest, AFenceThatJoinsAfterTheBuildIsSeenAtOnce) {
  makeLevel(21);
  // Across the whole level, in a gap of its own: no other fence stands on this line.
  Fence* late = new Fence(Point(-500, -100), Point(3500, -100));
  objMan.newObject(late);
  EXPECT_FALSE(lineOfSight(Point(1500, -300), Point(1500, -50)));
  int blocked = 0, clear = 0;
  expectScanAnswers(22, blocked, clear);
  // The next build files it with the others.
  clearObstacleTree();
  buildObstacleTree();
  EXPECT_TRUE(isFenceSightIndexReady());
  EXPECT_FALSE(lineOfSight(Point(1500, -300), Point(1500, -50)));
  expectScanAnswers(23, blocked, clear);
}

TEST_F(SightNarrowingTest, AFenceThatLeavesDropsTheIndex) {
  makeLevel(31);
  Fence* gone = fences.at(0);
  objMan.deleteObject(gone, true);
  EXPECT_FALSE(isFenceSightIndexReady());
  int blocked = 0, clear = 0;
  expectScanAnswers(32, blocked, clear);
}
