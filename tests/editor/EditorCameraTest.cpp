// The editor's camera: how far it zooms, and what its first frame does with a mouse that was
// last mapped through the play camera; neither may grow the level beyond reason.
#include <SDL.h>

#include <cmath>
#include <sstream>

#include "EditorFixture.h"
#include "game/Level.h"
#include "game/Ship.h"

namespace {
// The bounds line of a level file: the line after the trigger tree's closing tag.
bool readBounds(std::string const& text, double& left, double& top, double& right, double& bottom) {
  std::string::size_type const close = text.find("</triggerRoot>");
  if (close == std::string::npos) return false;
  std::istringstream in(text.substr(text.find('\n', close) + 1));
  return static_cast<bool>(in >> left >> top >> right >> bottom);
}

// The mouse lies on the camera, as its mapping of a window pixel must put it.
void expectMouseOnCamera() {
  EXPECT_GE(mouse.x, std::floor(view.getLeft()) - 1);
  EXPECT_LE(mouse.x, std::ceil(view.getRight()) + 1);
  EXPECT_GE(mouse.y, std::floor(view.getTop()) - 1);
  EXPECT_LE(mouse.y, std::ceil(view.getBottom()) + 1);
}
}  // namespace

class EditorCameraTest : public EditorFixture {};

TEST_F(EditorCameraTest, HoldingMinusOrPlusStopsAtAZoomThatKeepsMouseAndBoundsSane) {
  tapKey('t');
  pointAt(view.getXCenter(), view.getYCenter());
  // A hundred steps out, far past where the mouse's world position leaves an int.
  input.press('-');
  frame(400);
  input.release('-');
  frame();
  double const widest = view.getWidth();
  EXPECT_GT(widest, 50000);
  EXPECT_LE(widest, 200000);
  expectMouseOnCamera();
  EXPECT_LE(worldBounds.getWidth(), 2 * widest);
  EXPECT_LE(worldBounds.getHeight(), 2 * widest);

  // The scratch level keeps bounds of that size.
  tapKey('t');
  double left = 0, top = 0, right = 0, bottom = 0;
  std::string const text = readFile(getScratchLevelName());
  ASSERT_TRUE(readBounds(text, left, top, right, bottom)) << text;
  EXPECT_LE(right - left, 2 * widest);
  EXPECT_LE(bottom - top, 2 * widest);

  // And a hundred steps in stop while a window pixel still spans less than a world unit.
  tapKey('t');
  pointAt(view.getXCenter(), view.getYCenter());
  input.press('=');
  frame(400);
  input.release('=');
  frame();
  EXPECT_GE(view.getWidth(), 10);
  EXPECT_LE(view.getWidth(), 800);
  expectMouseOnCamera();
}

TEST_F(EditorCameraTest, EnteringWithTheMouseAtTheTopEdgeNeverGrowsTheLevel) {
  // In play, the pointer at the top of the window.
  input.moveTo(getWindowWidth() / 2, 1);
  frame();
  Rect const bounds = worldBounds;
  for (int visit = 0; visit < 3; visit++) {
    SCOPED_TRACE(visit);
    tapKey('t');
    ASSERT_EQ(gameState, static_cast<GameState*>(&editor));
    EXPECT_EQ(worldBounds.getLeft(), bounds.getLeft());
    EXPECT_EQ(worldBounds.getTop(), bounds.getTop());
    EXPECT_EQ(worldBounds.getRight(), bounds.getRight());
    EXPECT_EQ(worldBounds.getBottom(), bounds.getBottom());
    tapKey('t');
    ASSERT_EQ(gameState, static_cast<GameState*>(&localState));
    double left = 0, top = 0, right = 0, bottom = 0;
    std::string const text = readFile(getScratchLevelName());
    ASSERT_TRUE(readBounds(text, left, top, right, bottom)) << text;
    EXPECT_FLOAT_EQ(static_cast<float>(top), bounds.getTop());
    EXPECT_FLOAT_EQ(static_cast<float>(left), bounds.getLeft());
  }
}

TEST_F(EditorCameraTest, EnteringNearTheLevelsEdgeScrollsWithoutGrowingTheFarSide) {
  // The ship near the bottom of the level, the pointer at the top of the window: the editor's
  // camera opens on the ship and scrolls up.
  ASSERT_NE(player, nullptr);
  Rect const bounds = worldBounds;
  player->setCenter(Point(bounds.getXCenter(), bounds.getBottom() - 50));
  input.moveTo(getWindowWidth() / 2, 1);
  frame();
  tapKey('t');
  ASSERT_EQ(gameState, static_cast<GameState*>(&editor));
  frame(3);
  EXPECT_EQ(worldBounds.getBottom(), bounds.getBottom());
  EXPECT_EQ(worldBounds.getLeft(), bounds.getLeft());
  EXPECT_EQ(worldBounds.getRight(), bounds.getRight());
}
