// A camera zoomed far out, or a tiny spacing from the data, asks for more grid points than
// the editor can lay every frame: the grid is left empty with a log line, and snapping then
// keeps the point, instead of the editor hanging while Shift is held.
#include <gtest/gtest.h>

#include "editor/SnapGrid.h"
#include "presentation/View.h"
#include "support/LogCapture.h"

TEST(SnapGridFarZoomTest, TooManyPointsLayNoGridAndSnappingKeepsThePoint) {
  struct Case {
    char const* name;
    float left, top, right, bottom, gap;
  };
  Case const cases[] = {
      // About 25 zoom steps out from an 800 by 600 camera.
      {"zoomed far out", -1.3e10f, -1e10f, 1.3e10f, 1e10f, 100},
      // Far from the origin, where adding the spacing no longer moves a float.
      {"far from the origin", 4e9f, 4e9f, 4e9f + 800, 4e9f + 600, 100},
      {"tiny spacing", 0, 0, 800, 600, 1e-9f},
  };
  for (Case const& c : cases) {
    SCOPED_TRACE(c.name);
    LogCapture log;
    view.setRect(c.left, c.top, c.right, c.bottom);
    gridGap = c.gap;
    createGrid();
    EXPECT_TRUE(grid.empty());
    EXPECT_NE(log.text().find("Error: too many grid points for the camera, spacing:"),
              std::string::npos);
    Point const p(12, 34);
    Point const snapped = getNearestGridPoint(p);
    EXPECT_EQ(snapped.x, 12);
    EXPECT_EQ(snapped.y, 34);
  }
}

TEST(SnapGridFarZoomTest, AZoomedOutCameraWithinTheLimitStillHasItsGrid) {
  // Four zoom steps out: 12800 by 9600 at spacing 100.
  view.setRect(-6400, -4800, 6400, 4800);
  gridGap = 100;
  createGrid();
  EXPECT_EQ(grid.size(), 128u * 96u);
  Point const snapped = getNearestGridPoint(Point(1234, -567));
  EXPECT_FLOAT_EQ(static_cast<float>(snapped.x), 1200);
  EXPECT_FLOAT_EQ(static_cast<float>(snapped.y), -600);
}
