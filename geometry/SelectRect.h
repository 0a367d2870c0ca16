// The hover box: outlines, in yellow, the rectangle that the mouse is over.
#pragma once

#include "geometry/Rect.h"

class SelectRect : public Rect {
 public:
  SelectRect() : selectedRect(nullptr) {}

  // Takes rect's place and selects it when the mouse is over it; drops the selection when the
  // mouse has left the selected rectangle.
  bool handleSelection(Rect& rect);
  void draw() override;
  void clear() { selectedRect = nullptr; }

 protected:
  Rect* selectedRect;
};
