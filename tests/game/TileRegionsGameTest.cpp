#include <gtest/gtest.h>

#include <fstream>

#include "core/GetParents.h"
#include "core/TypedLists.h"
#include "game/QorObjMan.h"
#include "game/Regions.h"
#include "game/Tile.h"
#include "presentation/View.h"

namespace {
// A tile of the game's manager at (left, top), 30 by 30.
Tile* placeTile(float left, float top) {
  Tile* tile = new Tile;
  tile->setRect(left, top, left + TILE_WIDTH, top + TILE_WIDTH);
  objMan.newObject(tile);
  return tile;
}

class TileRegionsGameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    getHeirarchy().clear();
    std::ifstream table("heirarchy.hcy");
    readHeirarchy(table);
  }
  void TearDown() override { objMan.deleteObjects(true); }
};
}  // namespace

// The level's wall tiles: a row of three and one below the first merge into two tiles, the
// merged ones leaving the manager and every list.
TEST_F(TileRegionsGameTest, WallTilesMergeThroughTheGamesManager) {
  Tile* first = placeTile(0, 0);
  placeTile(30, 0);
  placeTile(60, 0);
  Tile* below = placeTile(0, 30);
  ASSERT_EQ(allTiles.size(), 4);
  ASSERT_EQ(obstacles.size(), 4);
  makeBigTiles();
  EXPECT_EQ(allTiles.size(), 2);
  EXPECT_EQ(obstacles.size(), 2);
  EXPECT_EQ(objMan.size(), 2);
  EXPECT_FLOAT_EQ(first->getRight(), 90);
  EXPECT_FLOAT_EQ(first->getBottom(), 30);
  EXPECT_EQ(allTiles.at(1), below) << "a strip of another width stays apart";
}

TEST_F(TileRegionsGameTest, TileGridOverTheLevelsTiles) {
  Tile* tile = placeTile(300, 300);
  worldBounds.setRect(0, 0, 900, 900);
  tileRegions.setUpRegions(worldBounds);
  ASSERT_EQ(tileRegions.size(), 9);
  EXPECT_EQ(tileRegions.at(4).getVect(), std::vector<Tile*>{tile});
  EXPECT_EQ(tileRegions.at(0).getVect(), std::vector<Tile*>{tile}) << "touching counts";
  collideTestResults.clear();
  Rect probe(310, 310, 320, 320);
  tileRegions.checkCollision(probe);
  EXPECT_EQ(collideTestResults, std::vector<Collidable*>{tile});
}
