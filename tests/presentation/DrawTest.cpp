#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "geometry/Circle.h"
#include "geometry/Rect.h"
#include "geometry/SelectRect.h"
#include "geometry/Triangle.h"
#include "presentation/Draw.h"
#include "presentation/Mouse.h"
#include "presentation/View.h"
#include "support/QorScreen.h"

class TestGeoDrawTriangle : public Triangle {
 public:
  using Triangle::Triangle;
  Point getCenter() const override { return Point(getXCenter(), getYCenter()); }
};

namespace {
class DrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Opening the display now and then fails at once on a busy machine, and SDL would then
    // fall back to a text-mode driver without OpenGL: insist on X11 and try again.
    setenv("SDL_VIDEODRIVER", "x11", 1);
    for (int tries = 0; tries < 50 && SDL_Init(SDL_INIT_VIDEO) != 0; tries++) SDL_Delay(100);
    openTestScreen();
    resizeWindow(800, 600);
    initGL();
    view.setRect(0, 0, 800, 600);
    view.setAngle(0);
    glClear(GL_COLOR_BUFFER_BIT);
  }

  static void expectWhiteCurrentColour() {
    float rgba[4] = {0, 0, 0, 0};
    glGetFloatv(GL_CURRENT_COLOR, rgba);
    EXPECT_EQ(rgba[0], 1.0f);
    EXPECT_EQ(rgba[1], 1.0f);
    EXPECT_EQ(rgba[2], 1.0f);
    EXPECT_EQ(rgba[3], 1.0f);
  }

  static void expectPixel(int x, int y, int r, int g, int b) {
    Pixel p = readPixel(x, y);
    EXPECT_EQ(p.r, r) << "at " << x << ", " << y;
    EXPECT_EQ(p.g, g) << "at " << x << ", " << y;
    EXPECT_EQ(p.b, b) << "at " << x << ", " << y;
  }

  // Whether any pixel within one of (x, y) is lit.
  static bool litNear(int x, int y) { return countLit(x - 1, y - 1, x + 2, y + 2) > 0; }
};

struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool found = false;
};
Box litBox(int x0 = 0, int y0 = 0, int x1 = 800, int y1 = 600) {
  Box b;
  b.found = litBounds(x0, y0, x1, y1, b.left, b.top, b.right, b.bottom);
  return b;
}
}  // namespace

TEST_F(DrawTest, ResizeWindowKeepsTheLogicalScreen) {
  EXPECT_TRUE(resizeWindow(800, 0));
  int viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 800);
  EXPECT_EQ(viewport[3], 1);
  EXPECT_TRUE(resizeWindow(800, 600));
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[3], 600);
  float clear[4] = {1, 1, 1, 1};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_EQ(clear[0] + clear[1] + clear[2] + clear[3], 0.0f);
}

TEST_F(DrawTest, HorizontalLineInScreenCoordinates) {
  drawLine(100.5f, 50.5f, 300.5f, 50.5f, getColor("red"), false);
  Box box = litBox();
  ASSERT_TRUE(box.found);
  EXPECT_NEAR(box.left, 100, 1);
  EXPECT_NEAR(box.right, 300, 1);
  EXPECT_EQ(box.top, 50);
  EXPECT_EQ(box.bottom, 50);
  expectPixel(200, 50, 255, 0, 0);
  expectWhiteCurrentColour();
}

TEST_F(DrawTest, UnmappedLineCrossesTheScreenWhateverTheCamera) {
  view.setRect(1000, 1000, 1200, 1150);
  view.setAngle(30);
  drawLine(Point(0, 0), Point(800, 600), getColor("green"), false);
  EXPECT_TRUE(litNear(400, 300));
  EXPECT_TRUE(litNear(4, 3));
  EXPECT_TRUE(litNear(796, 597));
  expectWhiteCurrentColour();
}

TEST_F(DrawTest, MappedLineGoesThroughTheCamera) {
  view.setRect(100, 50, 500, 350);
  // World (200, 125) to (300, 125) is screen (200, 150) to (400, 150).
  drawLine(Point(200, 125.25), Point(300, 125.25), "blue");
  Box box = litBox();
  ASSERT_TRUE(box.found);
  EXPECT_NEAR(box.left, 200, 1);
  EXPECT_NEAR(box.right, 400, 1);
  EXPECT_EQ(box.top, 150);
  expectPixel(300, 150, 0, 0, 255);
  expectWhiteCurrentColour();
}

TEST_F(DrawTest, LinesIgnoreATransformationLeftBehind) {
  glMatrixMode(GL_MODELVIEW);
  glTranslatef(100, 100, 0);
  drawLine(10.5f, 10.5f, 20.5f, 10.5f, "white");
  EXPECT_TRUE(litNear(15, 10));
  EXPECT_EQ(countLit(100, 100, 130, 130), 0);
}

TEST_F(DrawTest, PixelIgnoresATransformationLeftBehind) {
  glMatrixMode(GL_MODELVIEW);
  glTranslatef(100, 100, 0);
  drawPixel(10.5f, 10.5f, 1, 2, 3, false);
  expectPixel(10, 10, 1, 2, 3);
  EXPECT_EQ(countLit(0, 0, 800, 600), 1);
  expectWhiteCurrentColour();
}

TEST_F(DrawTest, PixelFormsThroughTheCamera) {
  view.setRect(0, 0, 400, 300);
  drawPixel(Point(50.25, 60.25), getColor("yellow"));
  expectPixel(100, 120, 255, 255, 0);
  drawPixel(Point(70.25, 60.25), "cyan");
  expectPixel(140, 120, 0, 255, 255);
  drawPixel(10.25f, 10.25f, getColor("red"), true);
  expectPixel(20, 20, 255, 0, 0);
  EXPECT_EQ(countLit(0, 0, 800, 600), 3);
  expectWhiteCurrentColour();
}

TEST_F(DrawTest, DrawXCrossesThroughTheCamera) {
  drawX(400.5f, 300.5f, getColor("white"), 20);
  Box box = litBox();
  ASSERT_TRUE(box.found);
  EXPECT_NEAR(box.left, 380, 1);
  EXPECT_NEAR(box.right, 420, 1);
  EXPECT_NEAR(box.top, 280, 1);
  EXPECT_NEAR(box.bottom, 320, 1);
  EXPECT_TRUE(litNear(390, 290));
  EXPECT_TRUE(litNear(410, 290));
  EXPECT_FALSE(litNear(400, 285));
  expectWhiteCurrentColour();
}

TEST_F(DrawTest, SetGLAndClearColor) {
  Color(10, 20, 30).setGL();
  float rgba[4];
  glGetFloatv(GL_CURRENT_COLOR, rgba);
  EXPECT_NEAR(rgba[0], 10 / 255.0, 1e-6);
  EXPECT_NEAR(rgba[1], 20 / 255.0, 1e-6);
  EXPECT_NEAR(rgba[2], 30 / 255.0, 1e-6);
  EXPECT_EQ(rgba[3], 1.0f);
  clearColor();
  expectWhiteCurrentColour();
  EXPECT_NE(Color(10, 20, 30).getScreenFormat(), 0u);
}

TEST_F(DrawTest, FilledRectangleInScreenCoordinates) {
  Rect r(10, 20, 30, 60);
  r.bInView = false;
  r.bFilled = true;
  r.setFillColor("green");
  r.setBorderColor("red");
  r.draw();
  Box box = litBox();
  ASSERT_TRUE(box.found);
  EXPECT_NEAR(box.left, 10, 1);
  EXPECT_NEAR(box.top, 20, 1);
  EXPECT_NEAR(box.right, 30, 1);
  EXPECT_NEAR(box.bottom, 60, 1);
  expectPixel(20, 40, 0, 255, 0);
  expectPixel(15, 25, 0, 255, 0);
  // The left edge lies on a pixel boundary: one of the two columns beside it shows the outline.
  Pixel left = readPixel(9, 40);
  Pixel right = readPixel(10, 40);
  EXPECT_TRUE((left.r == 255 && left.g == 0) || (right.r == 255 && right.g == 0));
  expectWhiteCurrentColour();
  EXPECT_EQ(countLit(40, 0, 800, 600), 0);
}

TEST_F(DrawTest, FillLeavesTheModelViewMatrixAsItFoundIt) {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(7, 8, 0);
  float before[16], after[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, before);
  Rect r(10, 20, 30, 60);
  r.bInView = false;
  r.bFilled = true;
  r.drawFilled();
  glGetFloatv(GL_MODELVIEW_MATRIX, after);
  for (int i = 0; i < 16; i++) EXPECT_EQ(before[i], after[i]) << i;
  // The fill itself ignored the translation it found.
  EXPECT_EQ(countLit(11, 21, 29, 59), 18 * 38);
  EXPECT_EQ(countLit(31, 61, 60, 90), 0);
  expectWhiteCurrentColour();
}

TEST_F(DrawTest, UnfilledRectangleDrawsOnlyItsOutline) {
  Rect r(100, 100, 200, 150);
  r.setBorderColor("white");
  r.bFilled = false;
  r.draw();
  EXPECT_TRUE(litNear(100, 125));
  EXPECT_TRUE(litNear(150, 100));
  EXPECT_TRUE(litNear(200, 125));
  EXPECT_TRUE(litNear(150, 150));
  EXPECT_EQ(countLit(105, 105, 195, 145), 0);
}

TEST_F(DrawTest, OutlinedRotatedRectangleThroughTheCamera) {
  // A square turned by 45 degrees: a diamond with corners (400, 200), (500, 300), (400, 400)
  // and (300, 300) in the world, drawn through a camera that shows the world at half size.
  Rect r;
  double side = 100 * std::sqrt(2.0);
  r.setMidpoints(Point(350, 250), Point(450, 350), static_cast<float>(side));
  r.setBorderColor("orange");
  view.setRect(0, 0, 1600, 1200);
  r.draw();
  Box box = litBox();
  ASSERT_TRUE(box.found);
  EXPECT_NEAR(box.left, 150, 1);
  EXPECT_NEAR(box.right, 250, 1);
  EXPECT_NEAR(box.top, 100, 1);
  EXPECT_NEAR(box.bottom, 200, 1);
  // Midpoints of the four edges are lit; the centre and the bounding box's corners are not.
  EXPECT_TRUE(litNear(225, 125));
  EXPECT_TRUE(litNear(225, 175));
  EXPECT_TRUE(litNear(175, 175));
  EXPECT_TRUE(litNear(175, 125));
  EXPECT_FALSE(litNear(200, 150));
  EXPECT_FALSE(litNear(153, 103));
  EXPECT_FALSE(litNear(247, 197));
  Pixel edge = readPixel(225, 125);
  if (edge.isBlack()) edge = readPixel(224, 125);
  if (edge.isBlack()) edge = readPixel(225, 124);
  if (edge.isBlack()) edge = readPixel(226, 125);
  if (edge.isBlack()) edge = readPixel(225, 126);
  EXPECT_EQ(edge.r, 255);
  EXPECT_EQ(edge.g, 130);
  EXPECT_EQ(edge.b, 0);
  expectWhiteCurrentColour();
}

TEST_F(DrawTest, SelectRectOutlinesOnlyASelectionInYellow) {
  SelectRect select;
  select.setRect(100, 100, 200, 150);
  select.draw();
  EXPECT_EQ(countLit(0, 0, 800, 600), 0);
  Rect target(300, 300, 400, 350);
  mouse.x = 350;
  mouse.y = 325;
  ASSERT_TRUE(select.handleSelection(target));
  select.draw();
  Box box = litBox();
  ASSERT_TRUE(box.found);
  EXPECT_NEAR(box.left, 300, 1);
  EXPECT_NEAR(box.right, 400, 1);
  EXPECT_NEAR(box.top, 300, 1);
  EXPECT_NEAR(box.bottom, 350, 1);
  Pixel edge = readPixel(300, 325);
  if (edge.isBlack()) edge = readPixel(299, 325);
  EXPECT_EQ(edge.r, 255);
  EXPECT_EQ(edge.g, 255);
  EXPECT_EQ(edge.b, 0);
}

TEST_F(DrawTest, CircleIsADiscOfItsRadiusInPixelsAtAnyZoom) {
  // World (800, 600) is the screen's centre through a camera that halves everything.
  view.setRect(0, 0, 1600, 1200);
  Circle circle(800, 600, 10);
  circle.setColorTo(getColor("blue"));
  circle.draw();
  expectPixel(400, 300, 0, 0, 255);
  EXPECT_FALSE(readPixel(407, 300).isBlack());
  EXPECT_FALSE(readPixel(400, 292).isBlack());
  EXPECT_TRUE(readPixel(413, 300).isBlack());
  EXPECT_TRUE(readPixel(400, 287).isBlack());
  Box box = litBox();
  ASSERT_TRUE(box.found);
  EXPECT_NEAR(box.right - box.left, 20, 2);
  EXPECT_NEAR(box.bottom - box.top, 20, 2);
  expectWhiteCurrentColour();
  EXPECT_FALSE(glIsEnabled(GL_POINT_SMOOTH));
  glPointSize(1);
}

TEST_F(DrawTest, DrawCircleDrawsATemporaryCircle) {
  Color red = getColor("red");
  drawCircle(100, 100, 5, red, true);
  expectPixel(100, 100, 255, 0, 0);
  EXPECT_TRUE(readPixel(108, 100).isBlack());
  glPointSize(1);
}

TEST_F(DrawTest, TriangleOutlineThroughTheCamera) {
  view.setRect(0, 0, 400, 300);
  TestGeoDrawTriangle triangle(50.25f, 50.25f, 150.25f, 50.25f, 50.25f, 100.25f);
  triangle.setColorTo(getColor("white"));
  triangle.draw();
  Box box = litBox();
  ASSERT_TRUE(box.found);
  EXPECT_NEAR(box.left, 100, 1);
  EXPECT_NEAR(box.right, 300, 1);
  EXPECT_NEAR(box.top, 100, 1);
  EXPECT_NEAR(box.bottom, 200, 1);
  EXPECT_TRUE(litNear(200, 100));
  EXPECT_TRUE(litNear(100, 150));
  EXPECT_TRUE(litNear(200, 150));
  EXPECT_FALSE(litNear(140, 130));
  expectWhiteCurrentColour();
}
