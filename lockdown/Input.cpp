#include "lockdown/Input.h"

#include "lockdown/Random.h"
#include "lockdown/Rect.h"
#include "lockdown/Screen.h"

namespace lockdown {

Input input;

void Input::Update() {
  bLeftWas = bLeftNow;
  bRightWas = bRightNow;
  ReadMouse();
  bLeftNow = (mouseState.buttons[0] & 0x80) != 0;
  bRightNow = (mouseState.buttons[1] & 0x80) != 0;
  lastX = x;
  lastY = y;
  x += mouseState.dx;
  y += mouseState.dy;
  // A little travel past the edges, then a jump back to the edge.
  if (x < -20) x = 0;
  if (x > maxX + 20) x = maxX;
  if (y < -20) y = 0;
  if (y > maxY + 20) y = maxY;
}

void Input::DrawCursor() const {
  Rect frame(x - 3, x + 3, y - 3, y + 3);
  frame.color = RandomRange(0, 255);
  frame.DrawFrame(1);
}

}  // namespace lockdown
