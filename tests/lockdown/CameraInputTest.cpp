#include <gtest/gtest.h>

#include "Harness.h"
#include "lockdown/Camera.h"
#include "lockdown/Input.h"
#include "lockdown/Keys.h"
#include "lockdown/Sprite.h"
#include "lockdown/platform/VirtualKeys.h"

namespace lockdown {
namespace {

TEST(Camera, CentresAndStaysInTheLevel) {
  Camera cam;
  cam.levelWidth = 2000;
  cam.levelHeight = 1000;
  struct Case {
    int x, y, left, top;
  } cases[] = {{1000, 500, 600, 200}, {10, 10, 0, 0}, {1990, 990, 1200, 400}, {-500, 5000, 0, 400}};
  for (const Case& c : cases) {
    cam.Follow(c.x, c.y);
    EXPECT_EQ(cam.view.left, c.left) << c.x << "," << c.y;
    EXPECT_EQ(cam.view.top, c.top) << c.x << "," << c.y;
    EXPECT_EQ(cam.view.right - cam.view.left, 800);
  }
}

TEST(Camera, ALevelOfScreenSizeNeverMoves) {
  Camera cam;
  for (int mode = 0; mode < 3; ++mode) {
    cam.followMode = mode;
    for (int p : {-100, 0, 399, 799, 2000}) {
      cam.Follow(p, p);
      EXPECT_EQ(cam.view.left, 0);
      EXPECT_EQ(cam.view.top, 0);
    }
  }
}

TEST(Camera, EdgeScrollingKeepsTheMargin) {
  Camera cam;
  cam.levelWidth = 3000;
  cam.levelHeight = 3000;
  cam.followMode = 1;
  cam.view = Rect(1000, 1800, 1000, 1600);
  cam.Follow(1000 + 249, 1300);
  EXPECT_EQ(cam.view.left, 995);
  EXPECT_EQ(cam.view.top, 1000);
  cam.Follow(995 + 400, 1000 + 251);  // far from the edges: still
  EXPECT_EQ(cam.view.left, 995);
  cam.Follow(1795 - 10, 1599);
  EXPECT_EQ(cam.view.left, 1000);
  EXPECT_EQ(cam.view.top, 1005);
}

using CameraModes = testing::Headless;

TEST_F(CameraModes, PerAxisModesFollowTheArrowKeys) {
  camera.levelWidth = 4000;
  camera.levelHeight = 4000;
  camera.followMode = 2;
  camera.view = Rect(1000, 1800, 1000, 1600);
  machine.PressKey(VK_LEFT, 0);
  UpdateKeyCounters();
  camera.Follow(1400, 1300);  // xMode 0: drifts by (x - right) / 30
  EXPECT_EQ(camera.xMode, 0);
  EXPECT_EQ(camera.view.left, 1000 + (1400 - 1800) / 30);
  FlipScreen();
  machine.HoldKey(VK_RIGHT, 1, 5);
  int modes[5];
  for (int i = 0; i < 5; ++i) {
    UpdateKeyCounters();
    camera.Follow(1400, 1300);
    modes[i] = camera.xMode;
    FlipScreen();
  }
  EXPECT_EQ(modes[0], 1);
  EXPECT_EQ(modes[3], 2);  // counter 4: 4 % 3 == 1
  EXPECT_EQ(modes[4], 2);
}

TEST_F(CameraModes, DrawingHelpersShiftByTheView) {
  camera.levelWidth = 4000;
  camera.levelHeight = 4000;
  camera.view = Rect(100, 900, 50, 650);
  backBuffer->Fill(6);
  PlotPixelInView(150, 60, 9);
  EXPECT_EQ(backBuffer->At(50, 10), 9);
  PlotPixelInView(99, 60, 9);   // left of the view
  PlotPixelInView(150, 49, 9);  // above it
  int nines = 0;
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) nines += backBuffer->At(x, y) == 9;
  EXPECT_EQ(nines, 1);

  Rect r(120, 130, 60, 70);
  r.color = 33;
  camera.FillRect(r);
  EXPECT_EQ(backBuffer->At(20, 10), 33);
  EXPECT_EQ(r.left, 120);

  Sprite sprite;
  sprite.x = 300;
  sprite.y = 200;
  camera.DrawSprite(sprite);
  camera.DrawSprite(sprite);  // without a new position: one more offset up and left
  EXPECT_EQ(sprite.x, 100);
  EXPECT_EQ(sprite.y, 100);
}

using Mouse = testing::Headless;

TEST_F(Mouse, ClampsPastTheEdgesAndClicksOnRelease) {
  Input mouse;
  mouse.maxX = 1000;
  mouse.maxY = 700;
  machine.MoveMouse(0, -20, 5);
  machine.MoveMouse(1, -1, 0);
  machine.MoveMouse(2, 1030, 800);
  machine.MoveMouse(3, -10, -100);
  machine.HoldButton(0, 4, 6);
  machine.HoldButton(1, 8, 8);
  struct Expect {
    int x, y;
    bool bClicked, bDown, bRightClicked;
  } expected[] = {{-20, 5, false, false, false},    {0, 5, false, false, false},
                  {1000, 700, false, false, false}, {990, 600, false, false, false},
                  {990, 600, false, true, false},   {990, 600, false, true, false},
                  {990, 600, false, true, false},   {990, 600, true, false, false},
                  {990, 600, false, false, false},  {990, 600, false, false, true}};
  for (int f = 0; f < 10; ++f) {
    mouse.Update();
    EXPECT_EQ(mouse.x, expected[f].x) << f;
    EXPECT_EQ(mouse.y, expected[f].y) << f;
    EXPECT_EQ(mouse.LeftClicked(), expected[f].bClicked) << f;
    EXPECT_EQ(mouse.LeftDown(), expected[f].bDown) << f;
    EXPECT_EQ(mouse.RightClicked(), expected[f].bRightClicked) << f;
    FlipScreen();
  }
}

}  // namespace
}  // namespace lockdown
