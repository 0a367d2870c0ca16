#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <vector>

#include "presentation/Mouse.h"
#include "presentation/View.h"
#include "support/QorScreen.h"
#include "support/ScriptedInput.h"

TEST(MouseTest, BeforeTheFirstPollThePointerIsFarOff) {
  Mouse m;
  EXPECT_EQ(m.getX(), -1000);
  EXPECT_EQ(m.getY(), -1000);
  EXPECT_EQ(m.maxX, 800);
  EXPECT_EQ(m.maxY, 600);
  EXPECT_FALSE(m.leftDown());
  EXPECT_TRUE(m.bInView);
}

namespace {
class TestMouse : public Mouse {
 public:
  bool moved() const { return bMouseMoved; }
};
}  // namespace

TEST(MouseTest, FirstPollGivesNoRelativeMotionWhateverSdlReports) {
  ScriptedInput input;
  input.moveTo(300, 200);
  TestMouse m;
  m.process();
  EXPECT_EQ(m.relX, 0);
  EXPECT_EQ(m.relY, 0);
  EXPECT_FALSE(m.moved());
  input.moveTo(310, 195);
  m.process();
  EXPECT_EQ(m.relX, 10);
  EXPECT_EQ(m.relY, -5);
  EXPECT_EQ(m.getRelX(), 10.0f);
  EXPECT_TRUE(m.moved());
  EXPECT_EQ(m.lastX, 300);
  EXPECT_EQ(m.lastY, 200);
  m.process();
  EXPECT_EQ(m.relX, 0);
  EXPECT_FALSE(m.moved());
}

TEST(MouseTest, ButtonEdgesHoldForOneFrame) {
  ScriptedInput input;
  Mouse m;
  m.process();
  input.pressLeft();
  m.process();
  EXPECT_TRUE(m.leftClicked());
  EXPECT_TRUE(m.leftDown());
  EXPECT_FALSE(m.leftReleased());
  m.process();
  EXPECT_FALSE(m.leftClicked());
  EXPECT_TRUE(m.leftDown());
  input.releaseLeft();
  m.process();
  EXPECT_TRUE(m.leftReleased());
  EXPECT_FALSE(m.leftDown());
  m.process();
  EXPECT_FALSE(m.leftReleased());

  input.pressRight();
  m.process();
  EXPECT_TRUE(m.rightClicked());
  EXPECT_FALSE(m.leftClicked());
  input.releaseRight();
  m.process();
  EXPECT_TRUE(m.rightReleased());
  EXPECT_FALSE(m.rightDown());
}

TEST(MouseTest, ButtonPressedAndReleasedBetweenPollsIsNotSeen) {
  ScriptedInput input;
  Mouse m;
  m.process();
  input.pressLeft();
  input.releaseLeft();
  m.process();
  EXPECT_FALSE(m.leftClicked());
  EXPECT_FALSE(m.leftReleased());
}

TEST(MouseTest, MiddleButtonAndWheelAreIgnored) {
  ScriptedInput input;
  Mouse m;
  input.setButtons(SDL_BUTTON(SDL_BUTTON_MIDDLE) | SDL_BUTTON(SDL_BUTTON_WHEELUP));
  m.process();
  EXPECT_FALSE(m.leftDown());
  EXPECT_FALSE(m.rightDown());
  EXPECT_FALSE(m.wheelUp());
  EXPECT_FALSE(m.wheelDown());
}

TEST(MouseTest, AfterClearClicksNoEdgeIsReportedUntilTheNextPoll) {
  ScriptedInput input;
  Mouse m;
  input.pressLeft();
  m.process();
  input.releaseLeft();
  m.process();
  ASSERT_TRUE(m.leftReleased());
  m.clearClicks();
  EXPECT_FALSE(m.leftReleased());
  EXPECT_FALSE(m.leftClicked());
  EXPECT_FALSE(m.rightReleased());
}

namespace {
class MouseCameraTest : public ::testing::Test {
 protected:
  void TearDown() override {
    view.setRect(0, 0, 800, 600);
    view.setAngle(0);
  }
  // Polls a fresh mouse with the pointer at a window pixel.
  Point pollAt(int pixelX, int pixelY) {
    input.moveTo(pixelX, pixelY);
    Mouse m;
    m.process();
    return m.getPoint();
  }
  ScriptedInput input;
};
}  // namespace

TEST_F(MouseCameraTest, PointerMapsThroughTheCamerasUnrotatedRectangle) {
  struct Case {
    float left, top, width, height, angle;
    int pixelX, pixelY;
    int x, y;
  };
  std::vector<Case> cases = {
      {0, 0, 800, 600, 0, 400, 300, 400, 300},
      {0, 0, 800, 600, 0, 1, 1, 1, 1},
      {100, 50, 1600, 1200, 0, 400, 300, 900, 650},
      // The rotation is not applied.
      {100, 50, 1600, 1200, 90, 400, 300, 900, 650},
      // Truncated toward zero, on both sides of it.
      {0.5f, 0.5f, 800, 600, 0, 3, 3, 3, 3},
      {-10.5f, -20.7f, 800, 600, 0, 0, 0, -10, -20},
      {0, 0, 400, 300, 0, 3, 3, 1, 1},
  };
  for (Case const& c : cases) {
    view.setRect(c.left, c.top, c.left + c.width, c.top + c.height);
    view.setAngle(c.angle);
    Point p = pollAt(c.pixelX, c.pixelY);
    EXPECT_EQ(p.x, c.x) << c.left << " " << c.pixelX;
    EXPECT_EQ(p.y, c.y) << c.top << " " << c.pixelY;
    EXPECT_TRUE(p.isSet());
  }
}

TEST_F(MouseCameraTest, TheCursorSquareKeepsItsSizeOnScreenAtEveryZoom) {
  openTestScreen();
  view.setRect(0, 0, 1600, 1200);
  input.moveTo(200, 150);
  Mouse m;
  m.process();
  ASSERT_EQ(m.x, 400);
  ASSERT_EQ(m.y, 300);
  glClear(GL_COLOR_BUFFER_BIT);
  m.draw();
  int left, top, right, bottom;
  ASSERT_TRUE(litBounds(0, 0, 800, 600, left, top, right, bottom));
  // Half a side of 8 world units, 4 pixels at this zoom, centred on screen pixel (200, 150).
  EXPECT_NEAR(left, 196, 1);
  EXPECT_NEAR(right, 204, 1);
  EXPECT_NEAR(top, 146, 1);
  EXPECT_NEAR(bottom, 154, 1);
  Pixel edge = readPixel(200, top);
  EXPECT_GT(edge.r, 200);
  EXPECT_LT(edge.g, 50);
  EXPECT_TRUE(readPixel(200, 150).isBlack());

  glClear(GL_COLOR_BUFFER_BIT);
  m.draw("white");
  Pixel white = readPixel(200, top);
  EXPECT_GT(white.g, 200);
}

// A level file may give the camera any bounds: the position stays a sane int (clamped to
// +-2^30, 0 for not a number) where converting it straight would overflow.
TEST_F(MouseCameraTest, ExtremeCamerasMapToClampedPositions) {
  float const inf = INFINITY, nan = NAN;
  int const far = 1 << 30;
  struct Case {
    float left, top, right, bottom;
    int pixelX, pixelY;
    int x, y;
  };
  std::vector<Case> cases = {
      // In range: kept as it is.
      {1e9f, -1e9f, 1e9f + 800, -1e9f + 600, 0, 0, 1000000000, -1000000000},
      // Past the clamp but inside int, and past int on either side.
      {1073741952.0f, 0, 1073742752.0f, 600, 0, 0, far, 0},
      {3e9f, 3e9f, 3e9f + 800, 3e9f + 600, 400, 300, far, far},
      {-3e9f - 800, -3e9f - 600, -3e9f, -3e9f, 400, 300, -far, -far},
      {0, 0, 1e30f, 1e30f, 400, 300, far, far},
      {-FLT_MAX, -FLT_MAX, FLT_MAX, FLT_MAX, 800, 600, far, far},
      // An infinite or not-a-number camera gives no number under any pixel.
      {-inf, -inf, 0, 0, 400, 300, 0, 0},
      {nan, nan, nan, nan, 400, 300, 0, 0},
  };
  for (Case const& c : cases) {
    view.setRect(c.left, c.top, c.right, c.bottom);
    Point p = pollAt(c.pixelX, c.pixelY);
    EXPECT_EQ(p.x, c.x) << c.left << " " << c.right;
    EXPECT_EQ(p.y, c.y) << c.top << " " << c.bottom;
  }
}
