#include <gtest/gtest.h>

#include <sstream>

#include "core/GameServices.h"
#include "core/GetParents.h"
#include "core/TypedLists.h"
#include "game/Obstacle.h"
#include "game/ObstacleTree.h"
#include "geometry/Collider.h"
#include "presentation/View.h"
#include "support/LogCapture.h"

namespace {
void loadTestTable() {
  getHeirarchy().clear();
  std::istringstream table(
      "TestCollObstacle Rect Obstacle ;\nTestCollCollider Collider ;\nCollider Rect ;\n"
      "Rect SimpleRect ;\nSimpleRect ;\nObstacle QuadTreeObject ;\nQuadTreeObject ;\n");
  readHeirarchy(table);
}
}  // namespace

// A wall of the test: a rectangle that is its own obstacle rectangle.
class TestCollObstacle : public Rect, public Obstacle {
 public:
  TestCollObstacle(float l, float t, float r, float b) : Rect(l, t, r, b) {}
  TestCollObstacle(Point tl, Point tr, Point br, Point bl) : Rect(tl, tr, br, bl) {}
  Rect getObstacleRect() override { return Rect(*this); }
  void draw() override {}
};

// An obstacle that is not a rectangle.
class TestCollShapeless : public Obstacle {
 public:
  Rect getObstacleRect() override { return Rect(1, 2, 3, 4); }
  void draw() override {}
};

class TestCollCollider : public Collider {
 public:
  // A w by h collider whose last update stood at (lastX, lastY) and which now stands at (x, y).
  TestCollCollider(float w, float h, Point last, Point now) {
    setRect(0, 0, w, h);
    SimpleRect::setCenter(last);
    updateLast();
    SimpleRect::setCenter(now);
  }
  bool left() const { return bCollLeft; }
  bool top() const { return bCollTop; }
  bool right() const { return bCollRight; }
  bool bottom() const { return bCollBottom; }
  int flagCount() const { return bCollLeft + bCollTop + bCollRight + bCollBottom; }
};

// Counts the responses that process reaches through the virtual call.
class TestCollCounting : public TestCollCollider {
 public:
  using TestCollCollider::TestCollCollider;
  void handleCollision(Obstacle* obstacle) override {
    calls++;
    TestCollCollider::handleCollision(obstacle);
  }
  int calls = 0;
};

class ColliderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    loadTestTable();
    bFirstCycle = false;
  }
  void TearDown() override {
    obstacles.clear();
    clearObstacleTree();
    bFirstCycle = true;
  }
};

TEST_F(ColliderTest, SideFlagsStartFalse) {
  TestCollCollider collider(20, 20, Point(0, 0), Point(0, 0));
  EXPECT_EQ(collider.flagCount(), 0);
}

struct Scenario {
  char const* name;
  Point last, now;
  char expectedFlags[5];  // subset of "LTRB"
  Point expectedCenter;
};

// A still obstacle from x 100 to 200 and y 0 to 200; a 20 by 20 collider.
TEST_F(ColliderTest, ScenariosAgainstAStillObstacle) {
  Scenario const table[] = {
      {"from the left", Point(80, 100), Point(95, 100), "L", Point(89, 100)},
      {"from the right", Point(220, 100), Point(205, 100), "R", Point(211, 100)},
      {"from above", Point(150, -20), Point(150, -5), "T", Point(150, -11)},
      {"from below", Point(150, 220), Point(150, 205), "B", Point(150, 211)},
      {"touching gives no flag", Point(80, 100), Point(90, 100), "", Point(90, 100)},
      {"last edge exactly on the side", Point(90, 100), Point(95, 100), "L", Point(89, 100)},
      {"already inside at the last update", Point(105, 100), Point(112, 100), "", Point(112, 100)},
      {"deep inside at the last update", Point(150, 100), Point(150, 110), "", Point(150, 110)},
      {"through the top-left corner", Point(80, -20), Point(95, -5), "TL", Point(89, -11)},
      {"through the bottom-right corner", Point(220, 220), Point(195, 195), "BR", Point(211, 211)},
  };
  for (Scenario const& s : table) {
    SCOPED_TRACE(s.name);
    TestCollObstacle wall(100, 0, 200, 200);
    wall.updateLast();
    TestCollCollider collider(20, 20, s.last, s.now);
    collider.handleCollision(&wall);
    std::string flags = s.expectedFlags;
    EXPECT_EQ(collider.left(), flags.find('L') != std::string::npos);
    EXPECT_EQ(collider.top(), flags.find('T') != std::string::npos);
    EXPECT_EQ(collider.right(), flags.find('R') != std::string::npos);
    EXPECT_EQ(collider.bottom(), flags.find('B') != std::string::npos);
    EXPECT_NEAR(collider.getCenter().x, s.expectedCenter.x, 1e-3);
    EXPECT_NEAR(collider.getCenter().y, s.expectedCenter.y, 1e-3);
    // The last rectangle is carried into the obstacle's frame and back, unmoved.
    EXPECT_NEAR(collider.getLastCenter().x, s.last.x, 1e-3);
    EXPECT_NEAR(collider.getLastCenter().y, s.last.y, 1e-3);
  }
}

TEST_F(ColliderTest, BoxRightEdgeEndsOneUnitBeforeTheObstacle) {
  TestCollObstacle wall(100, 0, 200, 200);
  wall.updateLast();
  TestCollCollider collider(20, 20, Point(80, 100), Point(95, 100));
  collider.handleCollision(&wall);
  EXPECT_NEAR(collider.getRight(), 99, 1e-4);
  EXPECT_NEAR(collider.getYCenter(), 100, 1e-4);
}

// A thin wall crossed within one update is still caught on the side the box came from.
TEST_F(ColliderTest, BoxThatJumpedThroughAThinObstacleIsPutBack) {
  TestCollObstacle wall(100, 0, 105, 200);
  wall.updateLast();
  TestCollCollider collider(20, 20, Point(80, 100), Point(120, 100));
  collider.handleCollision(&wall);
  EXPECT_TRUE(collider.left());
  EXPECT_EQ(collider.flagCount(), 1);
  EXPECT_NEAR(collider.getXCenter(), 89, 1e-3);
}

// Only a square of the collider's width takes part: a tall collider's ends overlap freely.
TEST_F(ColliderTest, TallColliderEndsOverlapWithoutResponse) {
  TestCollObstacle wall(100, 0, 200, 200);
  wall.updateLast();
  TestCollCollider collider(20, 100, Point(150, -36), Point(150, -35));
  ASSERT_GT(collider.getBottom(), wall.getTop()) << "the collider's end reaches into the wall";
  collider.handleCollision(&wall);
  EXPECT_EQ(collider.flagCount(), 0);
  EXPECT_NEAR(collider.getCenter().y, -35, 1e-3);
}

// The whole scene of the approach from the left turned by 90 degrees, (x, y) -> (y, -x): the
// push goes along the obstacle's own sides, and the result is the turned result.
TEST_F(ColliderTest, TurnedObstacleGivesTheTurnedResult) {
  auto turn = [](Point p) { return Point(p.y, -p.x); };
  TestCollObstacle wall(turn(Point(100, 0)), turn(Point(200, 0)), turn(Point(200, 200)),
                        turn(Point(100, 200)));
  wall.updateLast();
  ASSERT_NE(wall.getAngle().val(), 0);
  TestCollCollider collider(20, 20, turn(Point(80, 100)), turn(Point(95, 100)));
  collider.handleCollision(&wall);
  EXPECT_TRUE(collider.left()) << "the wall's own left side";
  EXPECT_EQ(collider.flagCount(), 1);
  Point expected = turn(Point(89, 100));
  EXPECT_NEAR(collider.getCenter().x, expected.x, 1e-2);
  EXPECT_NEAR(collider.getCenter().y, expected.y, 1e-2);
}

// An obstacle that moved is judged against where it was: the box did not move, the wall came
// to it from the right, so the box entered through the wall's left side.
TEST_F(ColliderTest, MovingObstacleIsJudgedAgainstItsLastRectangle) {
  TestCollObstacle wall(120, 0, 220, 200);
  wall.updateLast();
  wall.move(-25, 0);
  TestCollCollider collider(20, 20, Point(90, 100), Point(90, 100));
  collider.handleCollision(&wall);
  EXPECT_TRUE(collider.left());
  EXPECT_NEAR(collider.getXCenter(), 84, 1e-3);
}

TEST_F(ColliderTest, ProcessPushesOutOfTheObstaclesOfTheTree) {
  worldBounds.setRect(-1000, -1000, 1000, 1000);
  TestCollObstacle wall(100, 0, 200, 200);
  wall.updateLast();
  obstacles.push_back(&wall);
  buildObstacleTree();
  TestCollCounting collider(20, 20, Point(80, 100), Point(95, 100));
  collider.process();
  EXPECT_EQ(collider.calls, 1) << "the response is reached through the virtual call";
  EXPECT_TRUE(collider.left());
  EXPECT_NEAR(collider.getXCenter(), 89, 1e-3);
}

TEST_F(ColliderTest, ProcessWithNoObstacleNearDoesNothing) {
  worldBounds.setRect(-1000, -1000, 1000, 1000);
  buildObstacleTree();
  TestCollCounting collider(20, 20, Point(80, 100), Point(95, 100));
  collider.process();
  collider.debugDraw();
  EXPECT_EQ(collider.calls, 0);
  EXPECT_EQ(collider.getCenter(), Point(95, 100));
}

TEST_F(ColliderTest, ObstacleThatIsNotARectLogsAndAnswersItsRectangle) {
  LogCapture log;
  TestCollShapeless shapeless;
  Obstacle* obstacle = &shapeless;
  Rect last = obstacle->getLastRect();
  EXPECT_EQ(last.getLeft(), 1);
  EXPECT_EQ(last.getBottom(), 4);
  ASSERT_FALSE(log.lines().empty());
  EXPECT_EQ(log.lines().back(),
            "Error: TestCollShapeless is not a rect, obstacle's getLastRect should be overridden");

  TestCollObstacle wall(0, 0, 10, 10);
  wall.updateLast();
  wall.move(5, 0);
  obstacle = &wall;
  EXPECT_EQ(obstacle->getLastRect().getLeft(), 0) << "a Rect answers its last rectangle";
  EXPECT_EQ(obstacle->getQuadTreeRect().getLeft(), 5);
}

TEST(ColliderFreeFunctionsTest, OrthoRectAndPlaceBoxes) {
  Point tl(0, 0), tr(0, -10), br(20, -10), bl(20, 0);
  Rect turned(tl, tr, br, bl);
  Rect ortho = getOrthoRect(turned);
  EXPECT_EQ(ortho.getLeft(), 0);
  EXPECT_EQ(ortho.getTop(), 0);
  EXPECT_NEAR(ortho.getRight(), 10, 1e-5);
  EXPECT_NEAR(ortho.getBottom(), 20, 1e-5);

  Rect base(100, 50, 200, 150);
  Rect baseOrtho = getOrthoRect(base);
  Rect box(130, 40, 140, 50);
  Rect boxOrtho(10, 10);
  placeBoxes(base, baseOrtho, box, boxOrtho);
  EXPECT_NEAR(boxOrtho.getLeft(), 30, 1e-4);
  EXPECT_NEAR(boxOrtho.getTop(), -10, 1e-4);
}
