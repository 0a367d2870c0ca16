// Moves a point with a box around it toward a target in whole-pixel Bresenham steps, a
// limited number of steps per call.
#pragma once

namespace lockdown {

class Rect;

class Mover {
 public:
  Mover();
  Mover(int x, int y, int tx, int ty);

  void Init(double x, double y, double speed, int range, int width, int height, bool bFlag);
  void SetTarget(int tx, int ty);
  void Step();
  bool AtTarget() const { return static_cast<int>(x) == targetX && static_cast<int>(y) == targetY; }
  void SetPosition(double px, double py);
  void MoveBy(double dx, double dy);
  void SetLeft(int v);
  void SetRight(int v);
  void SetTop(int v);
  void SetBottom(int v);
  bool Contains(int px, int py) const;
  bool Overlaps(const Rect& r) const;

  double x = 0, y = 0;
  int targetX = 0, targetY = 0;
  int left = 0, top = 0, right = 0, bottom = 0;
  int range = 160;
  double speed = 4.0;
  bool bFlag = true;
  int dx = 0, dy = 0;
  int twoDx = 0, twoDy = 0;
  int stepX = 1, stepY = 1;
  int error = 0;

 private:
  void Recentre();
};

// True for the left and right arrow directions.
inline bool IsHorizontalIndex(int i) { return i == 0 || i == 1; }

}  // namespace lockdown
