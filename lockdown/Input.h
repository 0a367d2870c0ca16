// The mouse as the game sees it: a cursor in level coordinates moved by the relative
// motion of the device, and clicks that complete on release.
#pragma once

namespace lockdown {

class Input {
 public:
  void Update();
  bool LeftClicked() const { return bLeftWas && !bLeftNow; }
  bool RightClicked() const { return bRightWas && !bRightNow; }
  bool LeftDown() const { return bLeftNow; }
  bool RightDown() const { return bRightNow; }
  void SetPosition(int px, int py) {
    x = px;
    y = py;
  }
  void DrawCursor() const;

  int x = 0, y = 0;
  int lastX = 0, lastY = 0;
  int maxX = 800, maxY = 600;
  bool bLeftWas = false, bRightWas = false;

 private:
  bool bLeftNow = false, bRightNow = false;
};

extern Input input;

}  // namespace lockdown
