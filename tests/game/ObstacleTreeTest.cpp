#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <vector>

#include "core/GameServices.h"
#include "core/GetParents.h"
#include "core/TypedLists.h"
#include "game/Obstacle.h"
#include "game/ObstacleTree.h"
#include "geometry/Collisions.h"
#include "presentation/View.h"
#include "support/QorScreen.h"

// A wall of the test.
class TestTreeWall : public Rect, public Obstacle {
 public:
  TestTreeWall(float l, float t, float r, float b) : Rect(l, t, r, b) {}
  Rect getObstacleRect() override { return Rect(*this); }
  void draw() override { draws++; }
  int draws = 0;
};

class ObstacleTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    getHeirarchy().clear();
    std::istringstream table("TestTreeWall Rect Obstacle ;\nRect SimpleRect ;\nSimpleRect ;\n");
    readHeirarchy(table);
    worldBounds.setRect(0, 0, 2000, 2000);
  }
  void TearDown() override {
    obstacles.clear();
    clearObstacleTree();
  }
  // count walls 10 by 10 along the top-left, 100 apart.
  void addWalls(int count) {
    walls.reserve(count);
    for (int i = 0; i < count; i++) {
      walls.emplace_back(i * 100.0f, 0, i * 100.0f + 10, 10);
      obstacles.push_back(&walls.back());
    }
  }
  std::vector<TestTreeWall> walls;
};

TEST_F(ObstacleTreeTest, BuiltOverTheLevelWithTheLevelLimits) {
  EXPECT_EQ(minWidth, 100.0f);
  EXPECT_EQ(minPerNode, 4.0f);
  addWalls(4);
  buildObstacleTree();
  EXPECT_TRUE(obstacleTree.isLeaf());
  EXPECT_FLOAT_EQ(obstacleTree.getRight(), 2000);
  clearObstacleTree();
  obstacles.clear();
  walls.clear();
  addWalls(5);
  buildObstacleTree();
  EXPECT_FALSE(obstacleTree.isLeaf());
}

// In the order of the obstacles list, whatever the obstacles' addresses: the collision
// responses run in this order, and play must not depend on where the allocator put them.
TEST_F(ObstacleTreeTest, NearbyObstaclesOnceEachInListOrderAppended) {
  addWalls(12);
  // The list runs against the walls' addresses.
  std::reverse(obstacles.getVect().begin(), obstacles.getVect().end());
  // One wall across the centre lines: stored in four leaves.
  TestTreeWall centre(990, 990, 1010, 1010);
  obstacles.push_back(&centre);
  buildObstacleTree();
  VectorInterface<Obstacle*> list;
  list.push_back(nullptr);
  getNearbyObstacles(Rect(0, 0, 2000, 2000), list);
  std::vector<Obstacle*> found(list.getVect().begin() + 1, list.getVect().end());
  EXPECT_EQ(list.at(0), nullptr) << "appended to what was there";
  EXPECT_EQ(found, obstacles.getVect());

  VectorInterface<Obstacle*> nearCentre;
  getNearbyObstacles(Rect(995, 995, 1005, 1005), nearCentre);
  EXPECT_EQ(std::count(nearCentre.getVect().begin(), nearCentre.getVect().end(),
                       static_cast<Obstacle*>(&centre)),
            1);

  clearObstacleTree();
  VectorInterface<Obstacle*> afterClear;
  getNearbyObstacles(Rect(0, 0, 2000, 2000), afterClear);
  EXPECT_EQ(afterClear.size(), 0) << "nothing is answered from a cleared tree";
}

TEST_F(ObstacleTreeTest, DrawObstaclesDrawsThoseNearTheCamera) {
  addWalls(12);
  TestTreeWall far(1900, 1900, 1910, 1910);
  obstacles.push_back(&far);
  buildObstacleTree();
  view.setRect(0, 0, 400, 300);
  drawObstacles();
  EXPECT_EQ(walls[0].draws, 1);
  EXPECT_EQ(walls[3].draws, 1);
  EXPECT_EQ(far.draws, 0);
}

// The debugging view draws the node grid: the children's lines in (200, 172, 0).
TEST_F(ObstacleTreeTest, DrawObstaclesDrawsThoseOnTheTurnedScreen) {
  addWalls(12);
  // Above the camera's unturned rectangle, in a leaf of its own corner of the split tree.
  TestTreeWall above(700, 210, 710, 220);
  obstacles.push_back(&above);
  buildObstacleTree();
  ASSERT_FALSE(obstacleTree.isLeaf());
  view.setRect(0, 0, 1600, 1200);
  view.setCenter(1000, 1000);
  struct Case {
    double heading;
    int draws;
  } const cases[] = {{0, 0}, {90, 1}, {270, 1}};
  for (Case const& c : cases) {
    above.draws = 0;
    view.setAngle(c.heading);
    drawObstacles();
    EXPECT_EQ(above.draws, c.draws) << "heading " << c.heading;
  }
}

TEST_F(ObstacleTreeTest, TreeIsDrawnAsItsNodeGrid) {
  openTestScreen();
  worldBounds.setRect(0, 0, 800, 600);
  view.setRect(0, 0, 800, 600);
  addWalls(5);
  buildObstacleTree();
  ASSERT_FALSE(obstacleTree.isLeaf());
  glClear(GL_COLOR_BUFFER_BIT);
  drawObstacleTree();
  int lit = 0;
  for (int y = 500; y < 503; y++)
    for (int x = 398; x < 403; x++) {
      Pixel p = readPixel(x, y);
      if (p.r == 200 && p.g == 172 && p.b == 0) lit++;
    }
  EXPECT_GT(lit, 0) << "the vertical centre line of the root";
  SDL_Quit();
}

// An obstacle's casts are found once and belong to it: a copy answers its own.
TEST(ObstacleCastsTest, ACopyAnswersItsOwnRectangleAndCollidable) {
  class Wall : public Rect, public Obstacle, public Collidable {
   public:
    Rect getObstacleRect() override { return Rect(*this); }
    void draw() override {}
    std::vector<Point> getPoly() override { return SimpleRect::getPoly(); }
    bool isPtIn(float x, float y) const override { return SimpleRect::isPtIn(x, y); }
    bool isPtIn(Point const& p) const override { return SimpleRect::isPtIn(p); }
    Point getCenter() const override { return SimpleRect::getCenter(); }
    bool isCollision(Rect& r) override { return SimpleRect::isCollision(r); }
  };
  Wall a;
  EXPECT_EQ(a.asRect(), static_cast<SimpleRect*>(&a));
  EXPECT_EQ(a.asCollidable(), static_cast<Collidable*>(&a));
  Wall b(a);
  EXPECT_EQ(b.asRect(), static_cast<SimpleRect*>(&b));
  EXPECT_EQ(b.asCollidable(), static_cast<Collidable*>(&b));
  Wall c;
  c = a;
  EXPECT_EQ(c.asRect(), static_cast<SimpleRect*>(&c));
}
