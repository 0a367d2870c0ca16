#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/GetParents.h"
#include "core/TypedLists.h"
#include "game/Console.h"
#include "game/Explosion.h"
#include "game/GameStates.h"
#include "game/QorObjMan.h"
#include "presentation/Text.h"
#include "presentation/View.h"
#include "support/QorScreen.h"
#include "support/ScriptedInput.h"
#include "support/TestClock.h"

class ExplosionTest : public ::testing::Test {
 protected:
  void SetUp() override { readHeirarchy(); }
  void TearDown() override { objMan.deleteObjects(true); }
  TestClock clock;
};

TEST_F(ExplosionTest, FiveToTenCirclesNearTheCentreEachStartingAtRadiusOne) {
  for (unsigned seed = 1; seed <= 40; seed++) {
    SCOPED_TRACE(seed);
    std::srand(seed);
    Explosion burst;
    burst.init(Point(100, 100), 8.0f, 450.7f);
    int count = static_cast<int>(burst.getCircles().size());
    EXPECT_GE(count, 5);
    EXPECT_LE(count, 10);
    for (Circle const& circle : burst.getCircles()) {
      EXPECT_LE(std::abs(circle.getCenter().x - 100), 8.0);
      EXPECT_LE(std::abs(circle.getCenter().y - 100), 8.0);
      EXPECT_FLOAT_EQ(circle.getR(), 1.0f);
    }
    EXPECT_EQ(burst.getTimer().totalTime(), 450) << "whole milliseconds";
    EXPECT_EQ(burst.getCenter().x, burst.getCircles().front().getCenter().x);
  }
}

TEST_F(ExplosionTest, CirclesGrowTogetherToTheSizeOverTheDuration) {
  Explosion burst;
  burst.init(Point(0, 0), 8.0f, 400);
  struct Step {
    int ms;
    float radius;
    bool bDone;
  };
  for (Step s : {Step{0, 0, false}, Step{100, 2, false}, Step{100, 4, false}, Step{200, 8, false},
                 Step{1, 8.02f, true}}) {
    clock.advance(s.ms);
    burst.process();
    for (Circle const& circle : burst.getCircles()) EXPECT_FLOAT_EQ(circle.getR(), s.radius);
    EXPECT_EQ(burst.isDone(), s.bDone);
    if (s.bDone) {
      // The manager did not own this one: only its own were deleted.
      EXPECT_EQ(explosions.size(), 0);
    }
  }
}

TEST_F(ExplosionTest, BoundsAndCentreWithAndWithoutCircles) {
  Explosion empty;
  EXPECT_EQ(empty.getCenter().x, -1.0);
  EXPECT_EQ(empty.getCenter().y, -1.0);
  Rect bounds = empty.getBounds();
  EXPECT_FLOAT_EQ(bounds.getLeft(), 0);
  EXPECT_FLOAT_EQ(bounds.getTop(), 0);
  EXPECT_FLOAT_EQ(bounds.getRight(), 300);
  EXPECT_FLOAT_EQ(bounds.getBottom(), 300);
  empty.process();  // no circles, no timer: nothing to grow

  Explosion burst;
  burst.init(Point(500, 400), 0.0f, 300);
  bounds = burst.getBounds();
  // Offsets of a size-0 burst stay below one unit.
  EXPECT_NEAR(bounds.getLeft(), 350, 1);
  EXPECT_NEAR(bounds.getTop(), 250, 1);
  EXPECT_DOUBLE_EQ(bounds.getCenter().x, burst.getCenter().x);
  EXPECT_FLOAT_EQ(bounds.getWidth(), 300);
}

TEST_F(ExplosionTest, AZeroDurationIsFullSizeAtOnceInsteadOfDividingByZero) {
  Explosion burst;
  burst.init(Point(0, 0), 6.0f, 0.4f);
  burst.process();
  for (Circle const& circle : burst.getCircles()) EXPECT_FLOAT_EQ(circle.getR(), 6.0f);
}

TEST_F(ExplosionTest, MadeForTheManagerAndDeletedTheFrameAfterItsTimeRunsOut) {
  for (unsigned seed = 1; seed <= 20; seed++) {
    std::srand(seed);
    explosion(Point(10, 10), 8.0f);
    ASSERT_EQ(explosions.size(), 1);
    int duration = explosions.at(0)->getTimer().totalTime();
    EXPECT_GE(duration, 200);
    EXPECT_LE(duration, 700);
    clock.advance(duration);
    objMan.processObjects();
    EXPECT_EQ(explosions.size(), 1) << "not yet more than its time";
    clock.advance(1);
    objMan.processObjects();
    EXPECT_EQ(explosions.size(), 0);
    EXPECT_EQ(objMan.size(), 0);
  }
}

// In play: the burst is drawn red at its place, grows, and is gone after its time.
TEST_F(ExplosionTest, InPlayItShowsGrowsAndGoes) {
  openTestScreen();
  // The info lines of play are drawn in the one font.
  loadFont("FreeMono.ttf", 14);
  ScriptedInput input;
  bLockFps = false;
  view.setRect(0, 0, 800, 600);
  view.setAngle(0);
  gameState = &localState;
  std::srand(3);
  explosion(Point(400, 300), 20.0f);
  ASSERT_EQ(explosions.size(), 1);
  Explosion* burst = explosions.at(0);
  int duration = burst->getTimer().totalTime();
  clock.advance(duration / 2);
  runFrame();
  ASSERT_EQ(explosions.size(), 1);
  for (Circle const& circle : burst->getCircles()) EXPECT_NEAR(circle.getR(), 10.0f, 0.1f);
  Point first = burst->getCircles().front().getCenter();
  view.mapToView(first);
  glReadBuffer(GL_BACK);
  Pixel p = readPixel(static_cast<int>(first.x), static_cast<int>(first.y));
  EXPECT_EQ(p.r, 255);
  clock.advance(duration);
  runFrame();
  EXPECT_EQ(explosions.size(), 0);
  gameState = nullptr;
}
