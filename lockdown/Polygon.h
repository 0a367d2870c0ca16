// A drawable shape: vertices around a position, turned by a heading, drawn outlined or
// filled into the locked back buffer (a gun's barrel is one).
#pragma once

#include <vector>

#include "lockdown/Screen.h"

namespace lockdown {

class Polygon {
 public:
  void AddVertex(float vx, float vy) { vertices.push_back(PolygonPoint{vx, vy}); }
  void Clear() { vertices.clear(); }
  int VertexCount() const { return static_cast<int>(vertices.size()); }
  void Draw() const;

  int state = 1;  // 0: not drawn
  int x0 = 400, y0 = 300;
  int colour = 10;
  bool b8Bit = true;
  bool bFilled = true;
  int heading = 0;
  std::vector<PolygonPoint> vertices;
};

}  // namespace lockdown
