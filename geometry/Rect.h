// The rectangle the rest of the game builds on: a SimpleRect that also keeps a copy of itself
// as it stood at the last movement step, from which movement and collision read an object's
// previous position.
#pragma once

#include "geometry/SimpleRect.h"

class Rect : public SimpleRect {
 public:
  Rect();
  Rect(float left, float top, float right, float bottom);
  Rect(Point& tl, Point& tr, Point& br, Point& bl);
  // Top-left corner at the origin.
  Rect(float width, float height);
  // Copies take the corners only: fresh colours, no fill, drawn through the camera, and never
  // updated.
  Rect(SimpleRect const& rhs);
  Rect(Rect const& rhs);
  // Colours and corners only.
  Rect& operator=(Rect const& rhs);
  Rect& operator=(Rect const* rhs);

  // Stores this rectangle as the last one; the movement steps call it before they move.
  void updateLast() override;
  Point getLastCenter() override;

  bool updatedRect() { return bLastRectUpdated; }
  // The rectangle itself during the first frame; afterwards the last one, and a rectangle
  // never updated by then ends the program.
  Rect getLastRect();
  // What getLastRect copies, after the same checks: this rectangle during the first frame,
  // otherwise the last one.
  SimpleRect const& getLastRectRef();
  float getLastX();
  float getLastY();
  // The axis-aligned bounding box.
  Rect getBounds();

 protected:
  // The default rectangle in one given colour, its last rectangle too: no random colours.
  explicit Rect(Color const& both);

  SimpleRect lastRect;
  bool bLastRectUpdated;
};

// A random point of the rectangle's bounding box; y is drawn first.
Point randomPointIn(Rect& rect);
Point getRandomPoint(Rect& bounds);
