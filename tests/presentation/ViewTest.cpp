#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "presentation/View.h"

// Reaches the rotation pivots, which nothing sets yet.
class TestGeoView : public View {
 public:
  void setPivots(Point const& world, Point const& screen) {
    worldBasePoint = world;
    viewBasePoint = screen;
  }
};

namespace {
void expectNear(Point const& p, double x, double y, double tolerance = 1e-4) {
  EXPECT_NEAR(p.x, x, tolerance);
  EXPECT_NEAR(p.y, y, tolerance);
}
}  // namespace

TEST(ViewTest, DefaultViewIsTheScreen) {
  View v;
  EXPECT_EQ(v.getLeft(), 0);
  EXPECT_EQ(v.getTop(), 0);
  EXPECT_EQ(v.getRight(), 800);
  EXPECT_EQ(v.getBottom(), 600);
  EXPECT_EQ(v.getScale(), 1.0);
  EXPECT_EQ(v.getAngle(), 0.0);
  EXPECT_EQ(view.getWidth(), 800);
  EXPECT_EQ(view.getHeight(), 600);
}

TEST(ViewTest, MapToViewScalesTheViewOntoTheScreen) {
  View v;
  Point corner(123.5, 456.25);
  v.mapToView(corner);
  EXPECT_EQ(corner, Point(123.5, 456.25));
  v.setRect(100, 50, 500, 350);
  Point p(300, 200);
  v.mapToView(p);
  EXPECT_EQ(p, Point(400, 300));
  Point origin(100, 50);
  v.mapToView(origin);
  EXPECT_EQ(origin, Point(0, 0));
  EXPECT_EQ(v.getScale(), 2.0);
}

TEST(ViewTest, RotationTurnsAboutTheViewCentre) {
  View v;
  v.setAngle(90);
  Point right(401, 300);
  v.mapToView(right);
  expectNear(right, 400, 301);
  v.setAngle(450);
  Point again(401, 300);
  v.mapToView(again);
  expectNear(again, 400, 301);
  EXPECT_EQ(v.getAngle(), 90);
}

TEST(ViewTest, PivotsCountOnlyWhileTurned) {
  TestGeoView v;
  v.setPivots(Point(0, 0), Point(100, 100));
  Point p(10, 0);
  v.mapToView(p);
  EXPECT_EQ(p, Point(10, 0)) << "an angle of exactly 0 skips the rotation and its pivots";
  v.setAngle(90);
  Point q(10, 0);
  v.mapToView(q);
  expectNear(q, 100, 110);
}

TEST(ViewTest, AngleIsStoredAsGivenAndWrappedWhenRead) {
  View v;
  v.setAngle(-90);
  EXPECT_EQ(v.getAngle(), 270);
  v.setAngle(720);
  EXPECT_EQ(v.getAngle(), 0);
}

TEST(ViewTest, RandomPointInViewDrawsYFirstWithinTheCameraSize) {
  view.setRect(1000, 2000, 1100, 2050);
  srand(5);
  int y = rand() % 50;
  int x = rand() % 100;
  srand(5);
  Point p = randomPointInView();
  EXPECT_EQ(p, Point(x, y));
  EXPECT_TRUE(p.isSet());
  for (int i = 0; i < 200; i++) {
    Point q = randomPointInView();
    EXPECT_GE(q.x, 0);
    EXPECT_LT(q.x, 100);
    EXPECT_GE(q.y, 0);
    EXPECT_LT(q.y, 50);
  }
}

TEST(ViewTest, RandomPointInANarrowViewIsZeroOnThatAxis) {
  view.setRect(0, 0, 0.5f, 600);
  for (int i = 0; i < 20; i++) {
    Point p = randomPointInView();
    EXPECT_EQ(p.x, 0);
    EXPECT_LT(p.y, 600);
  }
  view.setRect(0, 0, 800, 0.9f);
  Point p = randomPointInView();
  EXPECT_EQ(p.y, 0);
  view.setRect(0, 0, 0, 0);
  EXPECT_EQ(randomPointInView(), Point(0, 0));
}

TEST(ViewTest, WorldBoundsGrowToTheViewOnTheSidesItLeavesAndNeverShrink) {
  struct Case {
    char const* name;
    float left, top, right, bottom;      // the view
    float bLeft, bTop, bRight, bBottom;  // the bounds after
  };
  std::vector<Case> const cases = {
      {"inside", -500, -500, 300, 100, -1000, -1000, 1000, 1000},
      {"out to the left", -1300, 0, -500, 600, -1300, -1000, 1000, 1000},
      {"out at the top", 0, -1600, 800, -1000, -1000, -1600, 1000, 1000},
      {"out to the right", 900, 0, 1700, 600, -1000, -1000, 1700, 1000},
      {"out at the bottom", 0, 800, 800, 1400, -1000, -1000, 1000, 1400},
      {"around it", -2000, -1500, 2000, 1500, -2000, -1500, 2000, 1500},
  };
  for (Case const& c : cases) {
    setDefaultWorldBounds();
    view.setRect(c.left, c.top, c.right, c.bottom);
    view.increaseBoundsToView();
    EXPECT_FLOAT_EQ(worldBounds.getLeft(), c.bLeft) << c.name;
    EXPECT_FLOAT_EQ(worldBounds.getTop(), c.bTop) << c.name;
    EXPECT_FLOAT_EQ(worldBounds.getRight(), c.bRight) << c.name;
    EXPECT_FLOAT_EQ(worldBounds.getBottom(), c.bBottom) << c.name;
  }
  // Zooming out past the bounds grows them too; zooming back in leaves them grown.
  setDefaultWorldBounds();
  view.setRect(-400, -300, 400, 300);
  view.adjustZoom(4);
  EXPECT_FLOAT_EQ(worldBounds.getLeft(), -1600);
  EXPECT_FLOAT_EQ(worldBounds.getBottom(), 1200);
  view.adjustZoom(0.25);
  EXPECT_FLOAT_EQ(worldBounds.getLeft(), -1600);
  EXPECT_FLOAT_EQ(worldBounds.getTop(), -1200);
  EXPECT_FLOAT_EQ(worldBounds.getRight(), 1600);
  EXPECT_FLOAT_EQ(worldBounds.getBottom(), 1200);
}
