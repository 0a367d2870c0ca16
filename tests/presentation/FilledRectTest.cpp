// A filled rectangle's fill lies under its outline wherever the camera looks and however the
// rectangle is turned.
#include <gtest/gtest.h>

#include "geometry/Rect.h"
#include "presentation/Draw.h"
#include "presentation/View.h"
#include "support/QorScreen.h"

namespace {
class FilledRectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    openTestScreen();
    resizeWindow(800, 600);
    initGL();
    view.setRect(0, 0, 800, 600);
    view.setAngle(0);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  void TearDown() override {
    view.setRect(0, 0, 800, 600);
    view.setAngle(0);
  }
  static Rect blueBox(float left, float top, float right, float bottom) {
    Rect r(left, top, right, bottom);
    r.setFillColor("blue");
    r.setBorderColor("white");
    r.bFilled = true;
    return r;
  }
};

TEST_F(FilledRectTest, FillFollowsTheCamera) {
  // The camera has moved 300 right and 200 down: the box at (400, 300)-(500, 400) in the
  // world shows at (100, 100)-(200, 200) on screen, fill and outline alike.
  view.setRect(300, 200, 1100, 800);
  Rect r = blueBox(400, 300, 500, 400);
  r.draw();
  Pixel inside = readPixel(150, 150);
  EXPECT_EQ(inside.b, 255);
  EXPECT_EQ(inside.r, 0);
  EXPECT_EQ(countLit(210, 210, 800, 600), 0) << "nothing drawn at the unmapped position";
}

TEST_F(FilledRectTest, FillOfATurnedRectangleStaysInsideItsOutline) {
  // A square turned by 45 degrees: a diamond about (400, 300).
  Rect r = blueBox(0, 0, 1, 1);
  Point tl(400, 230), tr(470, 300), br(400, 370), bl(330, 300);
  r.setRect(tl, tr, br, bl);
  r.draw();
  EXPECT_EQ(readPixel(400, 300).b, 255);
  EXPECT_EQ(readPixel(440, 300).b, 255);
  // The corners of its bounding box lie outside the diamond.
  EXPECT_EQ(countLit(332, 232, 350, 250), 0);
  EXPECT_EQ(countLit(450, 350, 468, 368), 0);
}

TEST_F(FilledRectTest, UnturnedScreenRectangleFillsExactlyItsArea) {
  Rect r = blueBox(10, 20, 30, 60);
  r.bInView = false;
  r.draw();
  EXPECT_EQ(readPixel(20, 40).b, 255);
  EXPECT_EQ(countLit(32, 62, 100, 100), 0);
}
}  // namespace
