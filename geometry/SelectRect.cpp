#include "geometry/SelectRect.h"

#include "presentation/Mouse.h"

bool SelectRect::handleSelection(Rect& rect) {
  if (rect.isPtInRect(static_cast<float>(mouse.x), static_cast<float>(mouse.y))) {
    setRect(0, 0, rect.getWidth(), rect.getHeight());
    setCenter(rect.getXCenter(), rect.getYCenter());
    selectedRect = &rect;
    return true;
  }
  if (selectedRect == &rect) selectedRect = nullptr;
  return false;
}

void SelectRect::draw() {
  borderColor = getColor("yellow");
  if (selectedRect) SimpleRect::draw();
}
