#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "core/GameServices.h"
#include "core/Utils.h"
#include "geometry/Rect.h"
#include "geometry/SelectRect.h"
#include "presentation/Mouse.h"
#include "support/LogCapture.h"

class TestGeoLastRect : public Rect {
 public:
  TestGeoLastRect(float left, float top, float right, float bottom)
      : Rect(left, top, right, bottom) {}
  SimpleRect& last() { return lastRect; }
};

class TestGeoSelectRect : public SelectRect {
 public:
  Rect* selected() { return selectedRect; }
};

namespace {
// Each test starts in the first frame, as the program does; some leave it.
class RectTest : public ::testing::Test {
 protected:
  void TearDown() override { bFirstCycle = true; }
  LogCapture log;
};

void expectBox(SimpleRect const& r, float left, float top, float right, float bottom) {
  EXPECT_NEAR(r.getLeft(), left, 1e-4);
  EXPECT_NEAR(r.getTop(), top, 1e-4);
  EXPECT_NEAR(r.getRight(), right, 1e-4);
  EXPECT_NEAR(r.getBottom(), bottom, 1e-4);
}
}  // namespace

TEST_F(RectTest, Constructors) {
  expectBox(Rect(10, 20, 30, 60), 10, 20, 30, 60);
  expectBox(Rect(30.0f, 40.0f), 0, 0, 30, 40);
  Point tl(1, 2), tr(5, 2), br(5, 9), bl(1, 9);
  expectBox(Rect(tl, tr, br, bl), 1, 2, 5, 9);
  Rect r(10, 20, 30, 60);
  EXPECT_FALSE(r.bFilled);
  EXPECT_TRUE(r.bInView);
  EXPECT_FALSE(r.updatedRect());
  TestGeoLastRect withLast(10, 20, 30, 60);
  expectBox(withLast.last(), 10, 20, 30, 60);
  EXPECT_EQ(withLast.last().color, withLast.color);
}

TEST_F(RectTest, DuringFirstCycleLastRectIsTheRectangleItself) {
  Rect r(10, 20, 30, 60);
  expectBox(r.getLastRect(), 10, 20, 30, 60);
  r.updateLast();
  r.move(5, 0);
  expectBox(r.getLastRect(), 15, 20, 35, 60);
  EXPECT_EQ(r.getLastCenter(), r.getCenter());
}

TEST_F(RectTest, AfterFirstCycleLastCentreIsFromBeforeTheMove) {
  bFirstCycle = false;
  Rect r(10, 20, 30, 60);
  r.updateLast();
  EXPECT_TRUE(r.updatedRect());
  r.move(5, 0);
  EXPECT_EQ(r.getLastCenter(), Point(20, 40));
  EXPECT_EQ(r.getCenter(), Point(25, 40));
  EXPECT_EQ(r.getLastX(), 20);
  EXPECT_EQ(r.getLastY(), 40);
  expectBox(r.getLastRect(), 10, 20, 30, 60);
}

TEST_F(RectTest, NeverUpdatedRectangleEndsTheProgramAfterTheFirstCycle) {
  Rect r(10, 20, 30, 60);
  EXPECT_EXIT(
      {
        bFirstCycle = false;
        r.getLastRect();
      },
      ::testing::ExitedWithCode(1), "");
  EXPECT_EQ(log.lines(), std::vector<std::string>{"Error: Last rect not updated for object Rect"});
}

// Movement steps store the rectangle before they move it.
TEST_F(RectTest, MovementStepsUpdateTheLastRectangle) {
  bFirstCycle = false;
  Rect r(0, 0, 10, 10);
  r.SimpleMobile::setVelocity(Point(3, 0));
  r.handleMovement();
  EXPECT_EQ(r.getLastCenter(), Point(5, 5));
  EXPECT_EQ(r.getCenter(), Point(8, 5));

  Rect body(0, 0, 10, 10);
  body.clearAcceleration();
  body.applyForce(10, Angle(180));
  body.VerletMobile::handleMovement();
  body.VerletMobile::handleMovement();
  EXPECT_NEAR(body.getCenter().y, 5 + 18.55, 1e-4);
  EXPECT_NEAR(body.getVelocity().y, 8.55, 1e-4);
}

TEST_F(RectTest, CopyTakesCornersButNotColoursNorLastState) {
  srand(1);
  Rect source(10, 20, 30, 60);
  source.setColorTo(Color(1, 2, 3));
  source.bFilled = true;
  source.bInView = false;
  source.updateLast();
  Rect copy(source);
  expectBox(copy, 10, 20, 30, 60);
  EXPECT_NE(copy.color, Color(1, 2, 3));
  EXPECT_FALSE(copy.bFilled);
  EXPECT_TRUE(copy.bInView);
  EXPECT_FALSE(copy.updatedRect());
  Rect fromSimple(static_cast<SimpleRect const&>(source));
  expectBox(fromSimple, 10, 20, 30, 60);
  EXPECT_FALSE(fromSimple.updatedRect());
}

// Rectangles are made and copied everywhere (collision, the quad tree, drawing): their default
// colours must not take draws from the sequence that AI choices and placement use.
TEST_F(RectTest, MakingAndCopyingRectanglesLeavesTheRandomSequenceAlone) {
  std::srand(99);
  int const expected = std::rand();
  std::srand(99);
  Rect plain;
  Rect box(10, 20, 30, 60);
  Rect copy(box);
  Rect fromSimple(static_cast<SimpleRect const&>(box));
  SimpleRect simple(1, 2, 3, 4);
  Rect last = box.getLastRect();
  Rect bounds = box.getBounds();
  EXPECT_EQ(std::rand(), expected);
  // Still some colour each, not one colour for all.
  EXPECT_NE(plain.color, box.color);
  EXPECT_NE(copy.color, fromSimple.color);
  EXPECT_NE(last.borderColor, bounds.borderColor);
}

TEST_F(RectTest, AssignmentKeepsTheTargetsLastState) {
  bFirstCycle = false;
  Rect target(0, 0, 1, 1);
  target.updateLast();
  target.bFilled = true;
  Rect source(10, 20, 30, 60);
  source.setColorTo(Color(4, 5, 6));
  target = source;
  expectBox(target, 10, 20, 30, 60);
  EXPECT_EQ(target.color, Color(4, 5, 6));
  EXPECT_TRUE(target.updatedRect());
  EXPECT_TRUE(target.bFilled);
  expectBox(target.getLastRect(), 0, 0, 1, 1);
  Rect other(1, 1, 2, 2);
  target = &other;
  expectBox(target, 1, 1, 2, 2);
}

TEST_F(RectTest, BoundsOfARotatedRectangleEncloseItsCorners) {
  Rect r;
  // A 10 by 10 square turned by 45 degrees about (50, 50).
  r.setMidpoints(Point(50 - 5 / std::sqrt(2.0), 50 - 5 / std::sqrt(2.0)),
                 Point(50 + 5 / std::sqrt(2.0), 50 + 5 / std::sqrt(2.0)), 10);
  double half = 10 / std::sqrt(2.0);
  Rect bounds = r.getBounds();
  expectBox(bounds, 50 - half, 50 - half, 50 + half, 50 + half);
  EXPECT_NEAR(bounds.getAngle().val(), 0, 1e-9);
}

TEST_F(RectTest, RandomPointsDrawYFirst) {
  Rect r(10, 20, 30, 60);
  srand(7);
  float y = randRange(20.0, 60.0);
  float x = randRange(10.0, 30.0);
  srand(7);
  Point p = randomPointIn(r);
  EXPECT_EQ(p.x, x);
  EXPECT_EQ(p.y, y);
  EXPECT_TRUE(p.isSet());
  srand(7);
  EXPECT_EQ(getRandomPoint(r), p);
  for (int i = 0; i < 200; i++) {
    Point q = getRandomPoint(r);
    EXPECT_GE(q.x, 10);
    EXPECT_LT(q.x, 30);
    EXPECT_GE(q.y, 20);
    EXPECT_LT(q.y, 60);
  }
}

TEST_F(RectTest, SelectRectFollowsTheMouse) {
  TestGeoSelectRect select;
  EXPECT_EQ(select.selected(), nullptr);
  Rect a(10, 20, 30, 60);
  Rect b(100, 100, 110, 110);
  mouse.x = 20;
  mouse.y = 40;
  EXPECT_TRUE(select.handleSelection(a));
  EXPECT_EQ(select.selected(), &a);
  expectBox(select, 10, 20, 30, 60);
  // The mouse outside a rectangle that is not the selected one keeps the selection.
  EXPECT_FALSE(select.handleSelection(b));
  EXPECT_EQ(select.selected(), &a);
  mouse.x = 500;
  EXPECT_FALSE(select.handleSelection(a));
  EXPECT_EQ(select.selected(), nullptr);
  mouse.x = 20;
  select.handleSelection(a);
  select.clear();
  EXPECT_EQ(select.selected(), nullptr);
}
