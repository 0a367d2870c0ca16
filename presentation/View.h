// The camera: the part of the world shown on the logical 800 by 600 screen, as a rectangle in
// world coordinates (never rotated itself) plus a separate rotation angle. Everything drawn in
// the world passes its points through mapToView. Beside it, worldBounds holds the level's
// extent.
#pragma once

#include "geometry/Rect.h"

class View : public Rect {
 public:
  View();

  // World point to logical screen coordinates, in place: turned about the view's centre (or the
  // base points when set), then scaled from the view's rectangle to 800 by 600.
  void mapToView(Point& point);
  // Screen width over the view's width: the zoom.
  double getScale();
  // Wraps the stored angle in place into [0, 360) and returns it.
  double getAngle();
  // Stored as given.
  void setAngle(double newAngle) { angle = newAngle; }

 protected:
  // Screen pixels per scroll step, scaled by the zoom where used.
  double scrollSpeed;
  double scrollRange;
  double angle;
  // The view saved while the camera is off.
  double oldLeft, oldTop, oldAngle, oldWidth, oldHeight;
  bool bConstrainView;
  // Optional pivots of the rotation; unset, it turns about the view's centre.
  Point worldBasePoint;
  Point viewBasePoint;
  Point offset;
};

extern View view;
// The extent of the current level.
extern Rect worldBounds;
