// The one mouse of qor, polled once a frame: its position in world coordinates through the
// camera, and its buttons beside their states of the previous poll, for the edges.
#pragma once

#include <string>

#include "geometry/Point.h"

class Mouse {
 public:
  Mouse();
  virtual ~Mouse() {}

  void process();

  bool leftClicked() const { return bLeft && !bLastLeft; }
  bool rightClicked() const { return bRight && !bLastRight; }
  // The click of the whole user interface: released this frame.
  bool leftReleased() const { return !bLeft && bLastLeft; }
  bool rightReleased() const { return !bRight && bLastRight; }
  bool leftDown() const { return bLeft; }
  bool rightDown() const { return bRight; }
  bool wheelUp() const { return bWheelUp; }
  bool wheelDown() const { return bWheelDown; }
  void clearClicks();
  int getX() const { return x; }
  int getY() const { return y; }
  float getRelX() const { return static_cast<float>(relX); }
  Point getPoint() const { return Point(x, y); }
  // The cursor square: a hundredth of the camera's width, so it keeps its size on screen.
  void draw();
  void draw(std::string const& colorName);

  int x, y;
  int lastX, lastY;
  int relX, relY;
  int maxX, maxY;
  bool bLeft, bRight;
  bool bLastLeft, bLastRight;
  bool bInView;

 protected:
  int rawLastX, rawLastY;
  bool bMouseMoved;
  bool bWheelUp, bWheelDown;
  bool bFirstCycle;
};

extern Mouse mouse;

// A world coordinate as the mouse keeps it: truncated toward zero, clamped to +-2^30, and 0
// for not a number.
int clampToMouseRange(double value);
