#include "lockdown/Polygon.h"

namespace lockdown {

void Polygon::Draw() const {
  VertexPolygon shape;
  shape.state = state;
  shape.x0 = x0;
  shape.y0 = y0;
  shape.colour = colour;
  shape.vertices = vertices;
  RotatePolygon(shape, heading);
  bool bWasLocked = lockedBuffer != nullptr;
  LockBackBuffer();
  // The back buffer is always 8-bit.
  if (bFilled)
    FillPolygon8(shape, lockedBuffer, lockedPitch);
  else
    DrawPolygon8(shape, lockedBuffer, lockedPitch);
  if (!bWasLocked) UnlockBackBuffer();
}

}  // namespace lockdown
