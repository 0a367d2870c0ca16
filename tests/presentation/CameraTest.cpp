#include <gtest/gtest.h>

#include <vector>

#include "core/Creatable.h"
#include "core/GameServices.h"
#include "core/Ticks.h"
#include "editor/EditorGlobals.h"
#include "game/Console.h"
#include "game/GameStates.h"
#include "presentation/Keyboard.h"
#include "presentation/Text.h"
#include "presentation/View.h"
#include "support/QorScreen.h"
#include "support/ScriptedInput.h"

namespace {
void setView(float left, float top, float right, float bottom) {
  view.setRect(left, top, right, bottom);
  view.setAngle(0);
}

void expectView(float left, float top, float width, float height) {
  EXPECT_FLOAT_EQ(view.getLeft(), left);
  EXPECT_FLOAT_EQ(view.getTop(), top);
  EXPECT_FLOAT_EQ(view.getWidth(), width);
  EXPECT_FLOAT_EQ(view.getHeight(), height);
}

void expectBoundsContainView() {
  EXPECT_LE(worldBounds.getLeft(), view.getLeft());
  EXPECT_LE(worldBounds.getTop(), view.getTop());
  EXPECT_GE(worldBounds.getRight(), view.getRight());
  EXPECT_GE(worldBounds.getBottom(), view.getBottom());
}

class CameraTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setView(0, 0, 800, 600);
    worldBounds.setRect(0, 0, 800, 600);
    view.setScrollSpeed(4);
  }
};
}  // namespace

TEST_F(CameraTest, ScrollingMovesTheSameScreenDistanceAtEveryZoom) {
  struct Case {
    float width;
    float targetX, targetY;
    float centerX, centerY;
  };
  std::vector<Case> cases = {
      // Within one step on an axis the centre is put there at once.
      {800, 400, 302, 400, 302},
      {800, 398, 300, 398, 300},
      {800, 400, 300, 400, 300},
      // Further away it moves one step: 4 units at width 800, 8 at width 1600.
      {800, 400, 1000, 400, 304},
      {800, 400, -1000, 400, 296},
      {800, -1000, 300, 396, 300},
      {1600, 2000, 300, 408, 300},
      {1600, 400, -1000, 400, 292},
      {800, 1000, 1000, 404, 304},
  };
  for (Case const& c : cases) {
    setView(400 - c.width / 2, 300 - c.width * 3 / 8, 400 + c.width / 2, 300 + c.width * 3 / 8);
    view.scrollToPoint(c.targetX, c.targetY);
    EXPECT_FLOAT_EQ(view.getCenter().x, c.centerX) << c.width << " " << c.targetX;
    EXPECT_FLOAT_EQ(view.getCenter().y, c.centerY) << c.width << " " << c.targetY;
    EXPECT_FLOAT_EQ(view.getWidth(), c.width);
    expectBoundsContainView();
  }
}

TEST_F(CameraTest, ASnapAcrossKeepsTheHeightFromBeforeTheStep) {
  // The horizontal snap sets the centre with the height read before the vertical step.
  view.scrollToPoint(402, 1000);
  EXPECT_FLOAT_EQ(view.getCenter().x, 402);
  EXPECT_FLOAT_EQ(view.getCenter().y, 300);
}

TEST_F(CameraTest, ScrollingOnlyEverGrowsTheLevelBounds) {
  worldBounds.setRect(-5000, -5000, 5000, 5000);
  view.scrollToPoint(-1000, -1000);
  EXPECT_FLOAT_EQ(worldBounds.getLeft(), -5000);
  EXPECT_FLOAT_EQ(worldBounds.getBottom(), 5000);
  setView(0, 0, 800, 600);
  worldBounds.setRect(100, 100, 200, 200);
  view.increaseBoundsToView();
  EXPECT_FLOAT_EQ(worldBounds.getLeft(), 0);
  EXPECT_FLOAT_EQ(worldBounds.getTop(), 0);
  EXPECT_FLOAT_EQ(worldBounds.getRight(), 800);
  EXPECT_FLOAT_EQ(worldBounds.getBottom(), 600);
}

TEST_F(CameraTest, ZoomScalesAboutTheCentreAndIgnoresFactorsOfZeroOrLess) {
  view.adjustZoom(2);
  expectView(-400, -300, 1600, 1200);
  EXPECT_DOUBLE_EQ(view.getScale(), 0.5);
  expectBoundsContainView();
  view.adjustZoom(0.25);
  expectView(200, 150, 400, 300);
  for (double factor : {0.0, -1.0, -0.5}) {
    view.adjustZoom(factor);
    expectView(200, 150, 400, 300);
  }
}

TEST_F(CameraTest, TurningOffGivesTheScreenMappingAndTurningOnRestoresTheView) {
  setView(-120, 40, 1480, 1240);
  view.setAngle(370);
  view.turnOff();
  expectView(0, 0, 800, 600);
  EXPECT_DOUBLE_EQ(view.getAngle(), 0);
  Point p(123, 456);
  view.mapToView(p);
  EXPECT_DOUBLE_EQ(p.x, 123);
  EXPECT_DOUBLE_EQ(p.y, 456);
  view.turnOn();
  expectView(-120, 40, 1600, 1200);
  EXPECT_DOUBLE_EQ(view.getAngle(), 10);
}

TEST_F(CameraTest, DefaultWorldBoundsAndInstantScroll) {
  setDefaultWorldBounds();
  EXPECT_FLOAT_EQ(worldBounds.getLeft(), -1000);
  EXPECT_FLOAT_EQ(worldBounds.getTop(), -1000);
  EXPECT_FLOAT_EQ(worldBounds.getRight(), 1000);
  EXPECT_FLOAT_EQ(worldBounds.getBottom(), 1000);
  view.instantScroll(500, 500);
  expectView(100, 200, 800, 600);
  view.instantScroll(0, 0);
  expectView(0, 0, 800, 600);
}

TEST_F(CameraTest, SpinParametersTurnAboutTheGivenPivots) {
  view.setSpinParameters(Point(100, 100), Point(100, 100), 90);
  // One unit right of the pivot turns to one unit below it.
  Point p(101, 100);
  view.mapToView(p);
  EXPECT_NEAR(p.x, 100, 1e-4);
  EXPECT_NEAR(p.y, 101, 1e-4);
  view.setSpinParameters(Point(), Point(), 0);
}

namespace {
// An editor object with a rectangle, placed by its centre.
class TestCameraBox : public Creatable2d, public Rect {
 public:
  TestCameraBox(float x, float y) : Rect(x - 10, y - 10, x + 10, y + 10) {}
  void adjustLists() override {}
  void process() override {}
  void draw() override {}
  Rect getBounds() override { return *this; }
  Point getCenter() const override { return Rect::getCenter(); }
};

// An object of the editor's manager that is no rectangle shape.
class TestCameraDot : public Creatable2d {
 public:
  void adjustLists() override {}
  void process() override {}
  void draw() override {}
  Rect getBounds() override { return Rect(); }
  Point getCenter() const override { return Point(5000, 5000); }
};

class SeeAllTest : public CameraTest {
 protected:
  void TearDown() override {
    editObjMan.deleteObjects();
    setZoom(2);
  }
  void add(Creatable2d* object) { editObjMan.newObject(object); }
};
}  // namespace

TEST_F(SeeAllTest, WithNoObjectsTheViewIsTheZoomSettingsSizeAroundTheOrigin) {
  view.seeAll();
  expectView(-800, -600, 1600, 1200);
  setZoom(1);
  view.seeAll();
  expectView(-400, -300, 800, 600);
}

TEST_F(SeeAllTest, OneObjectIsCentredAtTheZoomSettingsSize) {
  add(new TestCameraBox(300, -200));
  view.seeAll();
  EXPECT_FLOAT_EQ(view.getCenter().x, 300);
  EXPECT_FLOAT_EQ(view.getCenter().y, -200);
  EXPECT_FLOAT_EQ(view.getWidth(), 1600);
  EXPECT_FLOAT_EQ(view.getHeight(), 1200);
}

TEST_F(SeeAllTest, SpreadObjectsGetATenthMoreRoomAtFourToThree) {
  setZoom(1);
  worldBounds.setRect(0, 0, 10, 10);
  add(new TestCameraBox(0, 0));
  add(new TestCameraBox(1000, 100));
  add(new TestCameraBox(400, 50));
  add(new TestCameraDot());
  view.seeAll();
  EXPECT_FLOAT_EQ(view.getWidth(), 1100);
  EXPECT_FLOAT_EQ(view.getHeight(), 825);
  EXPECT_FLOAT_EQ(view.getCenter().x, 500);
  EXPECT_FLOAT_EQ(view.getCenter().y, 50);
  // The level bounds are left alone.
  EXPECT_FLOAT_EQ(worldBounds.getRight(), 10);

  // Tall spreads widen to 4:3.
  TearDown();
  setZoom(1);
  add(new TestCameraBox(0, 0));
  add(new TestCameraBox(100, 2000));
  view.seeAll();
  EXPECT_FLOAT_EQ(view.getHeight(), 2200);
  EXPECT_FLOAT_EQ(view.getWidth(), 2200.0f * 4 / 3);
}

namespace {
// Records the view at each frame of a transition.
class TestWatchState : public GameState {
 public:
  void process() override {}
  void draw() override {
    widths.push_back(view.getWidth());
    centersX.push_back(view.getCenter().x);
  }
  std::vector<float> widths;
  std::vector<float> centersX;
};

class TransitionTest : public CameraTest {
 protected:
  void SetUp() override {
    CameraTest::SetUp();
    openTestScreen();
    loadFont("FreeMono", 14);
    bLockFps = false;
    // Each reading of the clock is 100 ms later.
    setTickSource([this]() { return now += 100; });
  }
  void TearDown() override { setTickSource(nullptr); }
  uint32_t now = 1000;
  ScriptedInput input;
  TestWatchState state;
};
}  // namespace

TEST_F(TransitionTest, TheViewMovesOverTheTimeAndEndsExactlyOnTheTarget) {
  view.setAngle(350);
  cameraTransition(Point(1000, 1000), 1600, 1200, 1000, 20, state);
  ASSERT_FALSE(state.widths.empty());
  // Drawn each frame, the first time before the view has moved.
  EXPECT_FLOAT_EQ(state.widths[0], 800);
  for (size_t i = 1; i < state.widths.size(); i++) EXPECT_GT(state.widths[i], state.widths[i - 1]);
  EXPECT_LE(state.widths.size(), 11u);
  EXPECT_GE(state.widths.size(), 5u);
  expectView(200, 400, 1600, 1200);
  EXPECT_DOUBLE_EQ(view.getAngle(), 20);
}

TEST_F(TransitionTest, PressingQJumpsToTheFinalView) {
  input.nextFrame();
  input.tap('q');
  cameraTransition(Point(-500, 0), 400, 300, 100000, 45, state);
  EXPECT_EQ(state.widths.size(), 1u);
  expectView(-700, -150, 400, 300);
  EXPECT_DOUBLE_EQ(view.getAngle(), 45);
}

TEST_F(TransitionTest, ToTheCurrentWidthNothingChanges) {
  view.setAngle(30);
  cameraTransition(Point(5000, 5000), 800, 1200, 1000, 90, state);
  EXPECT_TRUE(state.widths.empty());
  expectView(0, 0, 800, 600);
  EXPECT_DOUBLE_EQ(view.getAngle(), 30);
}

TEST_F(TransitionTest, WithNoTimeLeftItJumpsToTheFinalView) {
  for (double time : {0.0, -50.0}) {
    setView(0, 0, 800, 600);
    cameraTransition(Point(100, 100), 1600, 1200, time, 370, state);
    EXPECT_TRUE(state.widths.empty());
    expectView(-700, -500, 1600, 1200);
    EXPECT_DOUBLE_EQ(view.getAngle(), 10);
  }
}
