// An integer rectangle with a colour; right and bottom are exclusive.
#pragma once

namespace lockdown {

class Rect {
 public:
  Rect();
  Rect(int left, int right, int top, int bottom);

  void Set(int l, int t, int r, int b);
  // Also picks a new random colour.
  void SetWithColour(int l, int t, int r, int b);
  void CopyEdges(const Rect& other);
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  int CenterX() const { return (left + right) / 2; }
  int CenterY() const { return (top + bottom) / 2; }
  bool Contains(int x, int y) const;
  bool Overlaps(const Rect& other) const;
  // 0 left, 1 above, 2 right, 3 below.
  int SideOf(int x, int y) const;
  void MoveLeftTo(int x);
  void MoveRightTo(int x);
  void MoveTopTo(int y);
  void MoveBottomTo(int y);
  void CenterAt(int x, int y);
  void Offset(int dx, int dy);
  // Colour fill on the back buffer, in screen coordinates.
  void Fill() const;
  // A frame around the rectangle through the camera.
  void DrawFrame(int thickness) const;
  double Get(const char* name) const;

  int left, right, top, bottom;
  int color;
};

}  // namespace lockdown
