#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/MultiListed.h"
#include "geometry/Regions.h"
#include "geometry/TileRegions.h"
#include "presentation/View.h"
#include "support/LogCapture.h"

// An object with a bounding box, as fences and fence posts have.
class TestRegionObj : public Creatable2d {
 public:
  TestRegionObj(float l, float t, float r, float b) : box(l, t, r, b) {}
  void process() override {}
  void draw() override { draws++; }
  Rect getBounds() override { return Rect(box); }
  Point getCenter() const override { return box.getCenter(); }
  Rect box;
  int draws = 0;

 protected:
  void adjustLists() override {}
};

// Exposes the grid's fields.
class TestRegionGrid : public DrawRegions {
 public:
  int countIn(int cell, Creatable2d* obj) {
    auto const& v = at(cell).getVect();
    return static_cast<int>(std::count(v.begin(), v.end(), obj));
  }
  std::vector<int> cellsOf(Creatable2d* obj) {
    std::vector<int> result;
    for (int i = 0; i < size(); i++)
      for (int n = countIn(i, obj); n > 0; n--) result.push_back(i);
    return result;
  }
  int registrations(Creatable2d* obj) {
    auto const& v = allObjects.getVect();
    return static_cast<int>(std::count(v.begin(), v.end(), obj));
  }
};

class RegionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    worldBounds.setRect(-1000, -1000, 1000, 1000);
    bAddingObject = true;
  }
  void add(Creatable2d* obj) {
    bAddingObject = true;
    grid.modify(obj);
  }
  TestRegionGrid grid;
};

TEST_F(RegionsTest, ThreeByThreeLayout) {
  grid.setUp(3, 3);
  ASSERT_EQ(grid.size(), 9);
  EXPECT_EQ(grid.getRows(), 3);
  EXPECT_EQ(grid.getCols(), 3);
  EXPECT_NEAR(grid.at(0).getWidth(), 666.67, 0.01);
  EXPECT_NEAR(grid.at(0).getHeight(), 666.67, 0.01);
  EXPECT_FLOAT_EQ(grid.at(0).getLeft(), -1000);
  EXPECT_FLOAT_EQ(grid.at(0).getTop(), -1000);
  EXPECT_NEAR(grid.at(2).getRight(), 1000, 0.01) << "cell 2 is the top-right one";
  EXPECT_FLOAT_EQ(grid.at(2).getTop(), -1000);
  EXPECT_FLOAT_EQ(grid.at(3).getLeft(), -1000) << "cell 3 starts the second row";
  EXPECT_NEAR(grid.at(3).getTop(), -333.33, 0.01);
}

struct RegistrationCase {
  char const* name;
  float l, t, r, b;
  std::vector<int> cells;
};

TEST_F(RegionsTest, RegistrationTable) {
  float const cell = 2000.0f / 3;
  RegistrationCase const table[] = {
      {"whole level", -1000, -1000, 1000, 1000, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
      {"from the centre past the bottom-right corner", 0, 0, 5000, 5000, {4, 5, 7, 8}},
      {"wholly left, a cell width out", -3000, 0, -1000 - cell, 10, {}},
      {"left, less than a cell width out", -3000, 0, -1000 - cell + 10, 10, {3}},
      {"above the level", 0, -5000, 10, -4000, {}},
      {"inside the centre cell", -10, -10, 10, 10, {4}},
      {"far away", 1e30f, 1e30f, 2e30f, 2e30f, {}},
  };
  grid.setUp(3, 3);
  for (auto const& c : table) {
    SCOPED_TRACE(c.name);
    TestRegionObj obj(c.l, c.t, c.r, c.b);
    add(&obj);
    EXPECT_EQ(grid.cellsOf(&obj), c.cells);
    EXPECT_EQ(grid.registrations(&obj), 1);
    bAddingObject = false;
    grid.modify(&obj);
    EXPECT_TRUE(grid.cellsOf(&obj).empty());
  }
}

TEST_F(RegionsTest, EdgeOnACellBorderCountsBothCells) {
  worldBounds.setRect(0, 0, 900, 900);
  grid.setUp(3, 3);
  TestRegionObj obj(100, 100, 300, 200);
  add(&obj);
  EXPECT_EQ(grid.cellsOf(&obj), (std::vector<int>{0, 1}));
}

TEST_F(RegionsTest, TwoRowsOfFourColumns) {
  grid.setUp(2, 4);
  ASSERT_EQ(grid.size(), 8);
  // Second row, third column: x from 0 to 500, y from 0 to 1000.
  TestRegionObj obj(100, 100, 400, 900);
  add(&obj);
  EXPECT_EQ(grid.cellsOf(&obj), std::vector<int>{6});
}

TEST_F(RegionsTest, RegisteringTwiceAndUnregisteringOnce) {
  grid.setUp(3, 3);
  TestRegionObj obj(-10, -10, 10, 10);
  add(&obj);
  add(&obj);
  EXPECT_EQ(grid.cellsOf(&obj), (std::vector<int>{4, 4}));
  EXPECT_EQ(grid.registrations(&obj), 2);
  bAddingObject = false;
  grid.modify(&obj);
  EXPECT_EQ(grid.cellsOf(&obj), std::vector<int>{4});
  EXPECT_EQ(grid.registrations(&obj), 1);
}

TEST_F(RegionsTest, NearbyAnswersOncePerCell) {
  grid.setUp(3, 3);
  TestRegionObj wide(-400, -10, 400, 10);
  TestRegionObj other(700, 700, 710, 710);
  add(&wide);
  add(&other);
  std::vector<Creatable2d*> found;
  Rect touchingTwo(-400, -100, -300, 0);
  grid.getNearby(touchingTwo, found);
  EXPECT_EQ(found, (std::vector<Creatable2d*>{&wide, &wide}));
  grid.getObjectsNearRect(touchingTwo, found);
  EXPECT_EQ(found.size(), 4u) << "appended, not emptied";
}

TEST_F(RegionsTest, ModifyWithoutCellsLogsAndRegistersNowhere) {
  LogCapture log;
  TestRegionObj obj(0, 0, 10, 10);
  add(&obj);
  EXPECT_EQ(grid.size(), 0);
  EXPECT_EQ(grid.registrations(&obj), 1);
  EXPECT_EQ(log.lines(), std::vector<std::string>{
                             "Error: no regions, need to setUp?, getType(this): TestRegionGrid"});

  // A level of one unit or less has no cells either.
  worldBounds.setRect(0, 0, 1, 1);
  grid.setUp(3, 3);
  EXPECT_EQ(grid.size(), 0);
  add(&obj);
  EXPECT_EQ(log.lines().size(), 2u);
}

TEST_F(RegionsTest, NoRowsOrColumnsGiveNoCells) {
  LogCapture log;
  grid.setUp(0, 3);
  EXPECT_EQ(grid.size(), 0);
  grid.setUp(3, -1);
  EXPECT_EQ(grid.size(), 0);
  EXPECT_EQ(log.lines().size(), 2u);
}

TEST_F(RegionsTest, SetUpEmptiesTheCellsButKeepsAllObjects) {
  grid.setUp(3, 3);
  TestRegionObj obj(-10, -10, 10, 10);
  add(&obj);
  grid.setUp(3, 3);
  EXPECT_TRUE(grid.cellsOf(&obj).empty());
  EXPECT_EQ(grid.getAll().size(), 1);

  VectorInterface<Creatable2d*> objects;
  objects.push_back(&obj);
  bAddingObject = false;
  grid.setObjects(objects);
  EXPECT_TRUE(bAddingObject);
  EXPECT_EQ(grid.cellsOf(&obj), std::vector<int>{4});
  EXPECT_EQ(grid.registrations(&obj), 2);
}

TEST_F(RegionsTest, DrawDrawsTheObjectsOfCellsInView) {
  worldBounds.setRect(0, 0, 3000, 3000);
  grid.setUp(3, 3);
  view.setRect(0, 0, 1200, 600);
  TestRegionObj inView(100, 100, 110, 110), across(900, 100, 1100, 110),
      away(2500, 2500, 2510, 2510);
  add(&inView);
  add(&across);
  add(&away);
  grid.draw();
  EXPECT_EQ(inView.draws, 1);
  EXPECT_EQ(across.draws, 2) << "once per visible cell";
  EXPECT_EQ(away.draws, 0);
  grid.drawAll();
  EXPECT_EQ(away.draws, 1);
}

// A wall tile of the test.
class TestWallTile : public Rect, public Collidable {
 public:
  TestWallTile(float l, float t, float r, float b) : Rect(l, t, r, b) {}
  std::vector<Point> getPoly() override { return getPoints(); }
  bool isPtIn(float x, float y) const override { return isPtInRect(x, y); }
  bool isPtIn(Point const& p) const override { return SimpleRect::isPtIn(p); }
  Point getCenter() const override { return SimpleRect::getCenter(); }
  bool isCollision(Rect& r) override { return SimpleRect::isCollision(r); }
  bool bTopEdge = false, bRightEdge = false, bBottomEdge = false, bLeftEdge = false;
};

TEST(TileRegionsTest, LaidFromTheOriginAndFilled) {
  TestWallTile a(10, 10, 20, 20), onBorder(290, 50, 310, 60);
  VectorInterface<TestWallTile*> tiles;
  tiles.push_back(&a);
  tiles.push_back(&onBorder);
  TileRegionsOf<TestWallTile> grid;
  Rect bounds(0, 0, 900, 600);
  grid.setUpRegions(bounds, tiles);
  ASSERT_EQ(grid.size(), 9);
  EXPECT_FLOAT_EQ(grid.at(4).getLeft(), 300);
  EXPECT_FLOAT_EQ(grid.at(4).getTop(), 200);
  EXPECT_EQ(grid.at(0).getVect(), (std::vector<TestWallTile*>{&a, &onBorder}));
  EXPECT_EQ(grid.at(1).getVect(), std::vector<TestWallTile*>{&onBorder});

  Rect centred(-1000, -1000, 1000, 1000);
  grid.setUpRegions(centred, tiles);
  EXPECT_EQ(grid.size(), 4) << "from the origin to the far edges only";
  EXPECT_FLOAT_EQ(grid.at(0).getLeft(), 0);
}

TEST(TileRegionsTest, ZeroWidthOrHeightMakesNoCells) {
  VectorInterface<TestWallTile*> tiles;
  TileRegionsOf<TestWallTile> grid;
  for (Rect bounds : {Rect(0, 0, 0, 600), Rect(0, 0, 900, 0), Rect(5, 5, 5, 5)}) {
    LogCapture log;
    grid.setUpRegions(bounds, tiles);
    EXPECT_EQ(grid.size(), 0);
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Error: Zero dimension in tile regions"});
  }
}

TEST(TileRegionsTest, PointQueryAppendsOneTilePerCell) {
  TestWallTile big(250, 50, 350, 150), small(290, 90, 310, 110);
  VectorInterface<TestWallTile*> tiles;
  tiles.push_back(&big);
  tiles.push_back(&small);
  TileRegionsOf<TestWallTile> grid;
  Rect bounds(0, 0, 900, 600);
  grid.setUpRegions(bounds, tiles);
  collideTestResults.assign(1, nullptr);
  Rect probe(295, 95, 305, 105);
  grid.checkCollision(probe);
  EXPECT_EQ(collideTestResults, (std::vector<Collidable*>{nullptr, &big, &big}))
      << "not emptied first; the first matching tile of each of the two cells";
}

namespace {
std::vector<TestWallTile*> mergeAll(VectorInterface<TestWallTile*>& tiles) {
  std::vector<TestWallTile*> deleted;
  mergeTiles(tiles, [&](TestWallTile* t) { deleted.push_back(t); });
  return deleted;
}
}  // namespace

TEST(TileRegionsTest, GridOfTilesMergesIntoOneRectangle) {
  std::vector<TestWallTile> grid;
  grid.reserve(6);
  for (int row = 0; row < 2; row++)
    for (int col = 0; col < 3; col++)
      grid.emplace_back(col * 10.0f, row * 10.0f, col * 10.0f + 10, row * 10.0f + 10);
  grid[2].bRightEdge = true;
  grid[4].bBottomEdge = true;
  VectorInterface<TestWallTile*> tiles;
  for (auto& t : grid) tiles.push_back(&t);
  std::vector<TestWallTile*> deleted = mergeAll(tiles);
  ASSERT_EQ(tiles.size(), 1);
  TestWallTile* merged = tiles.at(0);
  EXPECT_EQ(merged, &grid[0]);
  EXPECT_EQ(deleted.size(), 5u);
  EXPECT_FLOAT_EQ(merged->getRight(), 30);
  EXPECT_FLOAT_EQ(merged->getBottom(), 20);
  EXPECT_TRUE(merged->bRightEdge);
  EXPECT_TRUE(merged->bBottomEdge);
  EXPECT_FALSE(merged->bTopEdge);
}

TEST(TileRegionsTest, RowsMergeWithoutComparingHeightsAndColumnsNeedEqualStrips) {
  TestWallTile a(0, 0, 10, 10), tall(10, 0, 20, 30), below(0, 10, 15, 20);
  VectorInterface<TestWallTile*> tiles;
  tiles.push_back(&a);
  tiles.push_back(&tall);
  tiles.push_back(&below);
  mergeAll(tiles);
  ASSERT_EQ(tiles.size(), 2);
  EXPECT_FLOAT_EQ(a.getRight(), 20);
  EXPECT_FLOAT_EQ(a.getBottom(), 10) << "the top and bottom stay";
  EXPECT_EQ(tiles.at(1), &below) << "a strip of another width stays apart";
}

TEST(TileRegionsTest, ATileIsNeverMergedWithItself) {
  TestWallTile flat(10, 0, 10, 10), other(50, 0, 60, 10);
  VectorInterface<TestWallTile*> tiles;
  tiles.push_back(&flat);
  tiles.push_back(&other);
  std::vector<TestWallTile*> deleted = mergeAll(tiles);
  EXPECT_TRUE(deleted.empty());
  EXPECT_EQ(tiles.size(), 2);
}
