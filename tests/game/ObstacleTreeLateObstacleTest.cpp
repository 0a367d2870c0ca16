// The obstacle tree is built once per level: an obstacle that joins the list afterwards is not
// found until the tree is built again at the next level load.
#include <gtest/gtest.h>

#include <sstream>

#include "core/GameServices.h"
#include "core/GetParents.h"
#include "core/TypedLists.h"
#include "game/Obstacle.h"
#include "game/ObstacleTree.h"
#include "presentation/View.h"

class TestLateWall : public Rect, public Obstacle {
 public:
  TestLateWall(float l, float t, float r, float b) : Rect(l, t, r, b) {}
  Rect getObstacleRect() override { return Rect(*this); }
  void draw() override {}
};

TEST(ObstacleTreeLateObstacleTest, FoundOnlyAfterTheTreeIsBuiltAgain) {
  getHeirarchy().clear();
  std::istringstream table("TestLateWall Rect Obstacle ;\nRect SimpleRect ;\nSimpleRect ;\n");
  readHeirarchy(table);
  worldBounds.setRect(0, 0, 2000, 2000);
  TestLateWall early(100, 100, 110, 110);
  TestLateWall late(500, 500, 510, 510);
  obstacles.push_back(&early);
  clearObstacleTree();
  buildObstacleTree();
  obstacles.push_back(&late);

  VectorInterface<Obstacle*> found;
  getNearbyObstacles(Rect(0, 0, 2000, 2000), found);
  ASSERT_EQ(found.size(), 1);
  EXPECT_EQ(found.at(0), static_cast<Obstacle*>(&early));

  // The next level load clears and builds the tree from the list as it then stands.
  clearObstacleTree();
  buildObstacleTree();
  VectorInterface<Obstacle*> again;
  getNearbyObstacles(Rect(0, 0, 2000, 2000), again);
  EXPECT_EQ(again.size(), 2);
  EXPECT_TRUE(again.getVect()[0] == &late || again.getVect()[1] == &late);

  obstacles.clear();
  clearObstacleTree();
}
