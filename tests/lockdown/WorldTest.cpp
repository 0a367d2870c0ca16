#include <gtest/gtest.h>

#include <sstream>

#include "WorldHarness.h"
#include "lockdown/Camera.h"
#include "lockdown/Guard.h"
#include "lockdown/LayeredSprite.h"
#include "lockdown/Mover.h"
#include "lockdown/Tile.h"
#include "lockdown/World.h"
#include "lockdown/WorldSprites.h"
#include "lockdown/Zizuzu.h"

namespace lockdown {
namespace {

using WorldQueries = testing::World;

TEST_F(WorldQueries, EdgesAreExposedOnlyWhereNoTileAdjoins) {
  game.bEditing = true;  // no merging: the tiles stay as laid
  Load("800 600\n2 100 100 0\n2 140 100 0\n2 180 100 0\n2 140 60 0\n-1\n");
  Tile* middle = nullptr;
  for (PtrList<Object>::Cursor c(wallList); !c.AtEnd(); c.Next())
    if (c.Current()->Get("left") == 140 && c.Current()->Get("top") == 100)
      middle = static_cast<Tile*>(c.Current());
  ASSERT_NE(middle, nullptr);
  EXPECT_FALSE(middle->bLeftEdge);
  EXPECT_FALSE(middle->bRightEdge);
  EXPECT_FALSE(middle->bTopEdge);
  EXPECT_TRUE(middle->bBottomEdge);
  EXPECT_EQ(middle->Get("bBottomEdge"), 1);
}

TEST_F(WorldQueries, PlayMergesRunsOfTilesAndSavingSplitsThemAgain) {
  Load("800 600\n2 0 560 0\n2 40 560 0\n2 80 560 0\n2 120 560 1\n2 0 520 0\n-1\n");
  // Three equal tiles in a row become one wall; the different look stays apart.
  EXPECT_EQ(wallList.Count(), 3);
  Tile* run = First<Tile>(kTile);
  ASSERT_NE(run, nullptr);
  std::ostringstream out;
  WriteLevelObjects(out);
  std::string text = out.str();
  for (const char* record :
       {"\n2 0 560 0", "\n2 40 560 0", "\n2 80 560 0", "\n2 120 560 1", "\n2 0 520 0"})
    EXPECT_NE(text.find(record), std::string::npos) << record;
  EXPECT_GE(RegionColumns(), 5);
  EXPECT_GT(WallsInCellAt(10, 570), 0);
}

TEST_F(WorldQueries, TheZizuzuBehindStairsIsSeenBehindATileItIsNot) {
  struct Case {
    const char* wall;
    bool bSeen;
  } cases[] = {{"3 300 290 0", true}, {"2 300 280 0", false}, {"", true}};
  for (const Case& c : cases) {
    Load(std::string("800 600\n4 500 300\n") + c.wall + "\n-1\n");
    ASSERT_NE(game.zizuzu, nullptr);
    Rect area(0, 800, 0, 600);
    EXPECT_EQ(CanSeeZizuzu(100, 300, area), c.bSeen) << c.wall;
    // Outside the area nothing is seen at all.
    Rect small(0, 200, 0, 600);
    EXPECT_FALSE(CanSeeZizuzu(100, 300, small));
  }
}

TEST_F(WorldQueries, RaysLeavingTheLevelDoNotStopTheGame) {
  Load("800 600\n2 400 -1000 0\n-1\n");
  Mover ray(100, 100, -300, -900);
  EXPECT_TRUE(TraceRay(ray, true));
  Mover down(100, 100, 100, 5000);
  EXPECT_TRUE(TraceRay(down, true));
}

TEST_F(WorldQueries, AGuardWalkingIntoStairsIsLiftedOntoThem) {
  game.bEditing = true;
  Load("800 600\n3 100 500 0\n-1\n");
  Guard* guard = static_cast<Guard*>(NewObjectOfType(kGuardZero));
  ASSERT_NE(guard, nullptr);
  guard->rect.Set(90, 422, 107, 510);  // feet in the stairs
  guard->lastRect = guard->rect;
  guard->bGoingUp = true;
  guard->yVel = 2;
  First<Stairs>(kStairs)->Update();
  EXPECT_EQ(guard->rect.bottom, 500);
  EXPECT_EQ(guard->yVel, 0);  // elasticity 0
}

TEST_F(WorldQueries, LayeredSpriteDrawsItsBaseBeforeTheFirstLayer) {
  LayeredSprite& body = worldSprites.standBody;
  body.activeLayers.assign(body.layers.size(), 1);
  body.x = 100;
  body.y = 100;
  FillSurface(backBuffer, 6, nullptr);
  body.Draw(false);
  // The shared layer is drawn last and is the base's own picture.
  EXPECT_NE(backBuffer->At(100 + body.Width() / 2, 100 + body.Height() / 2), 6);
  body.activeLayers.resize(1);
  body.Draw(false);
  EXPECT_NE(Log().find("active layer's length is not equal to layer's length in drawLayers()"),
            std::string::npos);
  Layer low;
  low.order = 0;
  body.AppendLayer(low);
  EXPECT_NE(Log().find("Layer passed to loadLayers in incorrect order"), std::string::npos);
}

TEST_F(WorldQueries, AHostileLevelIsCutToSafeSizesAndValues) {
  Load("999999999 999999999\n2 5 5 77\n5 10 10 9\n6 500 900 400 100 7 9 3 1\n-1\n");
  EXPECT_EQ(game.levelWidth, kMaxLevelSize);
  EXPECT_EQ(game.levelHeight, kMaxLevelSize);
  EXPECT_NE(Log().find("is cut to it"), std::string::npos);
  EXPECT_EQ(First<Tile>(kTile)->sprite, 0);
  EXPECT_NE(Log().find("tile look 77 does not exist"), std::string::npos);
  // A record with a coordinate beyond the largest is left out, and the log names it.
  Load("800 600\n2 2000000000 -2000000000 0\n2 0 0 0\n-1\n");
  EXPECT_EQ(CountOf(kTile), 1);
  EXPECT_EQ(First<Tile>(kTile)->rect.left, 0);
  EXPECT_NE(Log().find("t.fly record 1: coordinate 2000000000 is out of range"), std::string::npos)
      << Log();
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(game.RunFrame());
}

}  // namespace
}  // namespace lockdown
