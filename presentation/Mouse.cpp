#include "presentation/Mouse.h"

#include <cmath>

#include "game/Console.h"
#include "geometry/Rect.h"
#include "presentation/Colors.h"
#include "presentation/Draw.h"
#include "presentation/InputSource.h"
#include "presentation/View.h"

int clampToMouseRange(double value) {
  // Exactly a float, and far inside int, so that sums of two coordinates stay in int too.
  double const limit = 1073741824.0;
  if (std::isnan(value)) return 0;
  if (value < -limit) return -static_cast<int>(limit);
  if (value > limit) return static_cast<int>(limit);
  return static_cast<int>(value);
}

namespace {
// The point of the camera's unrotated rectangle under a window pixel (truncated toward zero).
// The window may be resized while the logical screen stays 800 by 600 and fills it, so pixels
// are taken as shares of the window. A level file may give the camera any size, infinite or
// not a number among them: the position is clamped before it becomes an int.
void mapPixelToWorld(int pixelX, int pixelY, int& worldX, int& worldY) {
  float left = view.getLeft(), top = view.getTop();
  float width = view.getWidth(), height = view.getHeight();
  float windowWidth = static_cast<float>(getWindowWidth());
  float windowHeight = static_cast<float>(getWindowHeight());
  worldX = clampToMouseRange(left + width * (static_cast<float>(pixelX) / windowWidth));
  worldY = clampToMouseRange(top + height * (static_cast<float>(pixelY) / windowHeight));
}
}  // namespace

Mouse::Mouse()
    : x(-1000),
      y(-1000),
      lastX(-1000),
      lastY(-1000),
      relX(0),
      relY(0),
      maxX(800),
      maxY(600),
      bLeft(false),
      bRight(false),
      bLastLeft(false),
      bLastRight(false),
      bInView(true),
      rawLastX(0),
      rawLastY(0),
      bMouseMoved(false),
      bWheelUp(false),
      bWheelDown(false),
      bFirstCycle(true) {}

void Mouse::process() {
  lastX = x;
  lastY = y;
  bLastLeft = bLeft;
  bLastRight = bRight;
  bWheelDown = false;
  bWheelUp = false;

  InputSource& input = getInput();
  int pixelX = 0, pixelY = 0;
  unsigned buttons = input.getMouseState(pixelX, pixelY);
  input.getRelativeMouseState(relX, relY);

  bMouseMoved = !bFirstCycle && (pixelX != rawLastX || pixelY != rawLastY);
  if (bFirstCycle) {
    // The first relative reading covers everything since SDL started.
    relX = 0;
    relY = 0;
    bFirstCycle = false;
  }
  rawLastX = pixelX;
  rawLastY = pixelY;

  mapPixelToWorld(pixelX, pixelY, x, y);
  bLeft = (buttons & SDL_BUTTON(SDL_BUTTON_LEFT)) != 0;
  bRight = (buttons & SDL_BUTTON(SDL_BUTTON_RIGHT)) != 0;
}

void Mouse::clearClicks() {
  bLeft = false;
  bRight = false;
  bLastLeft = false;
  bLastRight = false;
}

void Mouse::draw() { draw("red"); }

void Mouse::draw(std::string const& colorName) {
  float half = view.getWidth() / 200;
  // Four lines rather than a rectangle, whose random default colours would be drawn from the
  // game's random sequence at every frame.
  float left = x - half, top = y - half, right = x + half, bottom = y + half;
  Color color = getColor(colorName);
  drawLine(left, bottom, left, top, color, bInView);
  drawLine(left, top, right, top, color, bInView);
  drawLine(right, top, right, bottom, color, bInView);
  drawLine(right, bottom, left, bottom, color, bInView);
}
