#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/TypedLists.h"
#include "game/Level.h"
#include "game/Tile.h"
#include "presentation/Keyboard.h"
#include "presentation/Mouse.h"
#include "presentation/TestImages.h"
#include "presentation/View.h"
#include "support/LogCapture.h"
#include "support/QorScreen.h"

class TileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    worldBounds.setRect(0, 0, 600, 600);
    keys.assign(numKeys, false);
  }
  void TearDown() override {
    bEdit = false;
    mouse.bLeft = mouse.bLastLeft = false;
  }
};

TEST_F(TileTest, ANewTileIsOneStepSquareAtTheOrigin) {
  Tile tile;
  EXPECT_EQ(TILE_WIDTH, 30);
  EXPECT_FLOAT_EQ(tile.getLeft(), 0);
  EXPECT_FLOAT_EQ(tile.getTop(), 0);
  EXPECT_FLOAT_EQ(tile.getWidth(), 30);
  EXPECT_FLOAT_EQ(tile.getHeight(), 30);
  EXPECT_TRUE(tile.isPtIn(15, 15));
  EXPECT_FALSE(tile.isPtIn(40, 15));
  EXPECT_EQ(tile.getPoly().size(), 4u);
  SaveLoad* copy = tile.makeCopy();
  EXPECT_NE(dynamic_cast<Tile*>(copy), nullptr);
  delete copy;
}

TEST_F(TileTest, PlayAndEditorKeepTheirOwnListsAndRemovalClearsBoth) {
  struct Case {
    bool bEditOnAdd;
    bool bEditOnRemove;
  };
  for (Case c : {Case{false, false}, Case{true, true}, Case{false, true}, Case{true, false}}) {
    SCOPED_TRACE(std::to_string(c.bEditOnAdd) + std::to_string(c.bEditOnRemove));
    Tile tile;
    bEdit = c.bEditOnAdd;
    tile.addToLists();
    EXPECT_EQ(editorTiles.size(), c.bEditOnAdd ? 1 : 0);
    EXPECT_EQ(allTiles.size(), c.bEditOnAdd ? 0 : 1);
    EXPECT_EQ(obstacles.size(), c.bEditOnAdd ? 0 : 1);
    bEdit = c.bEditOnRemove;
    tile.removeFromLists();
    EXPECT_EQ(editorTiles.size() + allTiles.size() + obstacles.size(), 0)
        << "no list keeps a pointer to a removed tile";
  }
}

TEST_F(TileTest, PlaceCentresTheTileOnThePointAndKeepsItInTheLevel) {
  struct Case {
    int x, y;
    float left, top;
  };
  std::vector<Case> cases = {
      {100, 100, 85, 85},
      {5, 5, -10, 0},        // the top edge is held at 0, the left one is not
      {590, 300, 570, 285},  // the right edge comes back to the level's
      {300, 599, 285, 570},  // and the bottom one
  };
  for (Case const& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
    Tile tile;
    EXPECT_TRUE(tile.place(c.x, c.y));
    EXPECT_FLOAT_EQ(tile.getLeft(), c.left);
    EXPECT_FLOAT_EQ(tile.getTop(), c.top);
    EXPECT_FLOAT_EQ(tile.getWidth(), 30);
    EXPECT_FLOAT_EQ(tile.getHeight(), 30);
  }
}

TEST_F(TileTest, PlaceOnTileStepsOneTileByArrowKeyOrTowardTheMouse) {
  struct Case {
    char const* name;
    int key;          // 0: none
    bool bReleased;   // left button just released
    int mx, my;       // mouse
    float left, top;  // of the new tile
    bool bResult;
  };
  // The last tile stands at (300, 300)-(330, 330).
  std::vector<Case> cases = {
      {"left", SDLK_LEFT, false, 0, 0, 270, 300, true},
      {"right", SDLK_RIGHT, false, 0, 0, 330, 300, true},
      {"up", SDLK_UP, false, 0, 0, 300, 270, true},
      {"down", SDLK_DOWN, false, 0, 0, 300, 330, true},
      {"mouse far to the left", 0, true, 100, 330, 270, 300, true},
      {"mouse far below", 0, true, 320, 500, 300, 330, true},
      {"mouse held, not released", 0, false, 100, 330, 300, 300, false},
  };
  for (Case const& c : cases) {
    SCOPED_TRACE(c.name);
    keys.assign(numKeys, false);
    if (c.key) keys[c.key] = true;
    mouse.x = c.mx;
    mouse.y = c.my;
    mouse.bLeft = !c.bReleased && c.key == 0;
    mouse.bLastLeft = true;
    Tile last;
    last.setRect(300, 300, 330, 330);
    Tile next;
    EXPECT_EQ(next.placeOnTile(&last), c.bResult);
    EXPECT_FLOAT_EQ(next.getLeft(), c.left);
    EXPECT_FLOAT_EQ(next.getTop(), c.top);
  }
  // The answer looks at the last tile: one outside the level refuses the step.
  keys.assign(numKeys, false);
  keys[SDLK_RIGHT] = true;
  Tile outside;
  outside.setRect(-30, 0, 0, 30);
  Tile next;
  EXPECT_FALSE(next.placeOnTile(&outside));
  EXPECT_FLOAT_EQ(next.getLeft(), 0);
}

TEST_F(TileTest, ItsRecordIsEmpty) {
  Tile tile;
  std::ostringstream out;
  tile.saveToFile(out);
  EXPECT_EQ(out.str(), "");
  std::istringstream in("12 34");
  tile.initFromFile(in);
  int first = 0;
  EXPECT_TRUE(in >> first);
  EXPECT_EQ(first, 12) << "nothing read from the level";
  setEdges();
}

namespace {
Color tileColor(int frame) { return frame == 0 ? Color(200, 0, 0) : Color(0, 200, 0); }
}  // namespace

// In play the image repeats over the tile in 30-unit steps, the wide image on a wide tile;
// in the editor it is drawn once at the centre.
TEST_F(TileTest, DrawnByRepeatingItsImage) {
  TestImageDir dir;
  dir.write("tile1.bmp", 30, 30, [](int, int) { return tileColor(0); });
  dir.write("tile2.bmp", 30, 30, [](int, int) { return tileColor(1); });
  char old[4096];
  ASSERT_NE(getcwd(old, sizeof old), nullptr);
  ASSERT_EQ(chdir(dir.path.c_str()), 0);
  openTestScreen();
  view.setRect(0, 0, 800, 600);
  view.setAngle(0);
  glReadBuffer(GL_BACK);

  struct Case {
    char const* name;
    float l, t, r, b;
    bool bInEditor;
    std::vector<std::pair<int, int>> lit;
    std::vector<std::pair<int, int>> dark;
    int green;  // expected green of the lit pixels
  };
  std::vector<Case> cases = {
      {"wide", 100, 100, 190, 130, false, {{115, 115}, {145, 115}, {175, 115}}, {{205, 115}}, 200},
      {"tall", 100, 100, 130, 160, false, {{115, 115}, {115, 145}}, {{115, 175}, {145, 115}}, 0},
      // The editor shows the first image once, in the middle, whatever the shape.
      {"in the editor", 100, 100, 190, 130, true, {{145, 115}}, {{115, 115}, {175, 115}}, 0},
  };
  for (Case const& c : cases) {
    SCOPED_TRACE(c.name);
    Tile tile;
    std::istringstream none;
    tile.initFromFile(none);
    ASSERT_EQ(tile.getSprite().getFrames().size(), 2u);
    tile.setRect(c.l, c.t, c.r, c.b);
    bEdit = c.bInEditor;
    glClear(GL_COLOR_BUFFER_BIT);
    tile.draw();
    for (auto const& p : c.lit) {
      Pixel px = readPixel(p.first, p.second);
      EXPECT_EQ(px.g, c.green) << p.first << "," << p.second;
      EXPECT_FALSE(px.isBlack()) << p.first << "," << p.second;
    }
    for (auto const& p : c.dark) EXPECT_TRUE(readPixel(p.first, p.second).isBlack());
  }
  ASSERT_EQ(chdir(old), 0);
}
