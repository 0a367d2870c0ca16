#include "geometry/Shape.h"

#include "core/Debug.h"
#include "presentation/Colors.h"
#include "presentation/Mouse.h"

void Shape::handleMovement() { SimpleMobile::handleMovement(); }

bool Shape::isClicked() const {
  debugFunc("Calling Shape::isClicked");
  bool bIn = isPtIn(static_cast<float>(mouse.x), static_cast<float>(mouse.y));
  debugFunc("isPtIn(mouse.x, mouse.y):", bIn);
  debugFunc("mouse.leftReleased():", mouse.leftReleased());
  return bIn && mouse.leftReleased();
}

void Shape::setColor(int r, int g, int b) { setColorTo(getColor(r, g, b)); }
