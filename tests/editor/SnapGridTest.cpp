#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "editor/SnapGrid.h"
#include "presentation/View.h"
#include "support/LogCapture.h"

namespace {
struct GridCase {
  float left, top, right, bottom, gap;
  std::vector<float> columns, rows;
};

void expectGrid(GridCase const& c) {
  view.setRect(c.left, c.top, c.right, c.bottom);
  gridGap = c.gap;
  createGrid();
  ASSERT_EQ(grid.size(), c.columns.size() * c.rows.size());
  // Column by column, each column top to bottom.
  size_t i = 0;
  for (float x : c.columns)
    for (float y : c.rows) {
      EXPECT_FLOAT_EQ(static_cast<float>(grid[i].x), x);
      EXPECT_FLOAT_EQ(static_cast<float>(grid[i].y), y);
      i++;
    }
}
}  // namespace

TEST(SnapGridTest, ColumnsAndRowsCoverTheCamera) {
  GridCase const cases[] = {
      // Left of 0 the first line lies at or outside the edge.
      {-150, -50, 250, 250, 100, {-200, -100, 0, 100, 200}, {-100, 0, 100, 200}},
      // Right of 0 at or inside it.
      {150, 150, 550, 450, 100, {200, 300, 400, 500}, {200, 300, 400}},
      // An edge on a line keeps it; the far edge is left out.
      {0, 0, 200, 100, 100, {0, 100}, {0}},
      {-40, 10, 60, 90, 50, {-50, 0, 50}, {50}},
  };
  for (GridCase const& c : cases) expectGrid(c);
}

TEST(SnapGridTest, NearestPointWinsAndTheEarlierOnATie) {
  view.setRect(-150, -50, 250, 250);
  gridGap = 100;
  createGrid();
  Point p = getNearestGridPoint(Point(38, 61));
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 100);
  // Halfway between columns -100 and 0, and between rows 0 and 100: the lowest column and row.
  p = getNearestGridPoint(Point(-50, 50));
  EXPECT_EQ(p.x, -100);
  EXPECT_EQ(p.y, 0);
}

TEST(SnapGridTest, AnEmptyGridLeavesThePointAndSaysSo) {
  LogCapture log;
  // Narrower and lower than one spacing, between two lines.
  view.setRect(110, 110, 150, 150);
  gridGap = 100;
  createGrid();
  EXPECT_TRUE(grid.empty());
  Point p = getNearestGridPoint(Point(123, 145));
  EXPECT_EQ(p.x, 123);
  EXPECT_EQ(p.y, 145);
  EXPECT_NE(log.text().find("Error: no grid points in getNearestPointOnGrid"), std::string::npos);
}

TEST(SnapGridTest, ASpacingOfZeroBuildsNoGridInsteadOfLoopingForever) {
  LogCapture log;
  view.setRect(-150, -50, 250, 250);
  gridGap = 0;
  createGrid();
  EXPECT_TRUE(grid.empty());
  gridGap = -100;
  createGrid();
  EXPECT_TRUE(grid.empty());
}

TEST(SnapGridTest, DataKeysSetTheGlobals) {
  setGridGap(50);
  EXPECT_EQ(getGridGap(), 50);
  setGridColor("red");
  EXPECT_EQ(gridColor, "red");
}
