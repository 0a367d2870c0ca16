#include <gtest/gtest.h>

#include "Harness.h"
#include "lockdown/Bitmap.h"
#include "lockdown/SheetLayout.h"
#include "lockdown/Sprite.h"

namespace lockdown {
namespace {

// A sheet of 4 by 3 cells with a one-pixel gap; each cell's pixel (x, y) holds
// 20 + 10 * cell + x, row 0 of each cell, and 2 elsewhere.
class SpriteSheet : public testing::Headless {
 protected:
  void SetUp() override {
    Headless::SetUp();
    sheet.width = 30;
    sheet.height = 20;
    sheet.pixels.assign(30 * 20, 2);
    for (int cell = 0; cell < 4; ++cell)
      for (int x = 0; x < 4; ++x)
        sheet.pixels[1 * 30 + 1 + cell * 5 + x] = static_cast<uint8_t>(20 + 10 * cell + x);
  }
  void TearDown() override {
    UnloadBitmapFile(sheet);
    Headless::TearDown();
  }
};

TEST_F(SpriteSheet, CutsFramesWithReflections) {
  Sprite sprite;
  ASSERT_TRUE(sprite.Init(4, 3, 1, 1, 4, 4, 1, true, nullptr));
  EXPECT_EQ(sprite.frameCount, 8);
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(sprite.PixelOf(0, 1, x, 0), 30 + x);
    EXPECT_EQ(sprite.PixelOf(0, 5, x, 0), 30 + 3 - x);  // frame 5 mirrors frame 1
  }
  EXPECT_EQ(sprite.ownedBuffers.size(), 8u);
}

TEST_F(SpriteSheet, CustomReflectionsCutTheMarkedFramesInOrder) {
  std::vector<int> custom = {-1, 0, -1, 2};
  Sprite sprite;
  ASSERT_TRUE(sprite.Init(4, 3, 1, 1, 2, 4, 1, true, &custom));
  EXPECT_EQ(sprite.PixelOf(0, 0, 0, 0), 20);
  EXPECT_EQ(sprite.PixelOf(0, 2, 0, 0), 30);  // the second cut cell
  EXPECT_EQ(sprite.PixelOf(0, 3, 0, 0), 33);
  EXPECT_EQ(sprite.PixelOf(0, 1, 3, 0), 20);

  Sprite refused;
  EXPECT_FALSE(refused.Init(4, 3, 1, 1, 2, 4, 1, false, &custom));
  EXPECT_NE(Log().find("bReflections is false, but customReflections is not null"),
            std::string::npos);
  SpriteInfo info;
  info.bReflections = false;
  info.customReflections = {1};
  EXPECT_FALSE(refused.InitFrom(info));
  EXPECT_NE(Log().find("bReflections is false, but customReflections is not empty"),
            std::string::npos);
}

TEST_F(SpriteSheet, CellsOutsideTheSheetOrGridAreLoggedNotRead) {
  Sprite sprite;
  ASSERT_TRUE(sprite.Init(4, 3, 25, 18, 2, 2, 1, false, nullptr));
  EXPECT_EQ(sprite.PixelOf(0, 0, 0, 0), 2);
  EXPECT_NE(Log().find("sprite cell outside the sheet"), std::string::npos);
  EXPECT_FALSE(sprite.Init(4, 3, 1, 1, 40, 4, 1, true, nullptr));  // 80 frames: beyond the store
  EXPECT_NE(Log().find("Could not create surface"), std::string::npos);
}

TEST_F(SpriteSheet, ColourSchemesReplaceIndexesPairByPair) {
  Sprite sprite;
  ASSERT_TRUE(sprite.Init(4, 3, 1, 1, 4, 4, 1, false, nullptr));
  sprite.NewColorScheme({30, 31, 60}, {31, 32, 33});
  EXPECT_EQ(sprite.SchemeCount(), 2);
  EXPECT_EQ(sprite.PixelOf(1, 1, 0, 0), 32);  // 30 became 31, then 32
  EXPECT_EQ(sprite.PixelOf(1, 1, 1, 0), 32);
  EXPECT_EQ(sprite.PixelOf(0, 1, 0, 0), 30);  // scheme 0 keeps the sheet's colours
  sprite.NewColorScheme({1, 2}, {3});
  EXPECT_EQ(sprite.SchemeCount(), 2);
  EXPECT_NE(Log().find("newColorScheme called with vectors of inequal length"), std::string::npos);
  Sprite empty;
  empty.NewColorScheme({1}, {2});
  EXPECT_NE(Log().find("newColorScheme has been called before sprite has been initialized"),
            std::string::npos);
}

TEST_F(SpriteSheet, DrawsTheSchemeAndFrameWithTheColourKey) {
  Sprite sprite;
  ASSERT_TRUE(sprite.Init(4, 3, 1, 1, 4, 4, 1, false, nullptr));
  sprite.NewColorScheme({50}, {99});
  backBuffer->Fill(6);
  sprite.x = 100;
  sprite.y = 50;
  sprite.frame = 3;
  sprite.colorScheme = 1;
  sprite.Draw();
  EXPECT_EQ(backBuffer->At(100, 50), 99);
  EXPECT_EQ(backBuffer->At(101, 50), 51);
  EXPECT_EQ(backBuffer->At(100, 51), 6);  // key: see-through
  sprite.x = 798;                         // clipped at the right edge
  sprite.Draw();
  EXPECT_EQ(backBuffer->At(799, 50), 51);
}

TEST_F(SpriteSheet, RotationLeavesTheKeptFrameAlone) {
  Sprite sprite;
  ASSERT_TRUE(sprite.Init(4, 3, 1, 1, 1, 1, 1, false, nullptr));
  backBuffer->Fill(6);
  sprite.angle = 90;
  sprite.Draw();
  sprite.angle = 0;
  backBuffer->Fill(6);
  sprite.Draw();
  for (int x = 0; x < 4; ++x) EXPECT_EQ(backBuffer->At(x, 0), 20 + x);
}

TEST_F(SpriteSheet, AnEmptySpriteDrawsNothingAndLogsOnce) {
  Sprite sprite;
  backBuffer->Fill(6);
  sprite.Draw();
  sprite.Draw();
  EXPECT_EQ(backBuffer->At(0, 0), 6);
  std::string log = Log();
  EXPECT_NE(log.find("without frames"), std::string::npos);
  EXPECT_EQ(log.find("without frames"), log.rfind("without frames"));
}

TEST_F(SpriteSheet, AnInvalidSchemeStops) {
  Sprite sprite;
  ASSERT_TRUE(sprite.Init(4, 3, 1, 1, 1, 1, 1, false, nullptr));
  sprite.colorScheme = 1;
  EXPECT_DEATH(sprite.Draw(), "Illegal vector index: 1");
  EXPECT_NE(Log().find("Invalid color scheme: 1"), std::string::npos);
}

TEST(SpriteArray, ResizeKeepsDeepCopies) {
  SpriteArray sprites(2);
  sprites.At(1).x = 5;
  sprites.Resize(3);
  EXPECT_EQ(sprites.Count(), 3);
  EXPECT_EQ(sprites.At(1).x, 5);
  EXPECT_DEATH(sprites.At(3), "Illegal vector index: 3 max index = 2");
}

using SheetLayoutTable = testing::Headless;

TEST_F(SheetLayoutTable, EverySpriteOfTheTableCutsFromTheStagedSheet) {
  ASSERT_TRUE(LoadBitmapFile(sheet, "g.dat"));
  const SheetCell* title = FindSheetCell("title");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->sheetY, 390);
  EXPECT_EQ(FindSheetCell("turret")->sheetX, 496);
  for (int i = 0; i < SheetCellCount(); ++i) {
    Sprite sprite;
    EXPECT_TRUE(CutSprite(sprite, SheetCellAt(i).name)) << SheetCellAt(i).name;
  }
  Sprite none;
  EXPECT_FALSE(CutSprite(none, "no such sprite"));
  EXPECT_EQ(Log().find("outside the sheet"), std::string::npos);
  UnloadBitmapFile(sheet);
}

}  // namespace
}  // namespace lockdown
