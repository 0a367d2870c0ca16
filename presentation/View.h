// The camera: the part of the world shown on the logical 800 by 600 screen, as a rectangle in
// world coordinates (never rotated itself) plus a separate rotation angle. Everything drawn in
// the world passes its points through mapToView. Beside it, worldBounds holds the level's
// extent.
#pragma once

#include "core/ReferenceSwitches.h"
#include "geometry/Rect.h"

class GameState;

class View : public Rect {
 public:
  View();

  // World point to logical screen coordinates, in place: turned about the view's centre (or the
  // base points when set), then scaled from the view's rectangle to 800 by 600.
  void mapToView(Point& point);
  // Screen width over the view's width: the zoom.
  double getScale();
  // The world lengths shown as that many screen pixels across and down: text, margins and
  // widgets measured in pixels keep their size on screen at every zoom.
  float pixelsToWorldX(float pixels);
  float pixelsToWorldY(float pixels);
  // Wraps the stored angle in place into [0, 360) and returns it.
  double getAngle();
  // Stored as given.
  void setAngle(double newAngle) { angle = newAngle; }
  void setScrollSpeed(double newSpeed) { scrollSpeed = newSpeed; }
  // One step of the view's centre toward the point: scrollSpeed screen pixels at any zoom.
  void scrollToPoint(double x, double y);
  // Centres the view on the point at once, kept inside the level's lower and right edges and
  // above and left of 0.
  void instantScroll(double x, double y);
  // Grows worldBounds to contain the view; it never shrinks here.
  void increaseBoundsToView();
  // Scales the view about its centre; above 1 shows more of the world. A factor of 0 or less
  // is ignored.
  void adjustZoom(double factor);
  // Fits the view, at least the zoom setting's size and 4:3, to the editor's objects.
  void seeAll();
  // Switches to the plain screen mapping and back, for drawing in screen coordinates.
  void turnOff();
  void turnOn();
  void setSpinParameters(Point newWorldBase, Point newViewBase, double newAngle);
  void setOffset(double x, double y);

  // Whether anything drawn through the camera inside the world box can light a pixel. False
  // only when the box lies wholly outside the shown area grown by a few pixels; always true
  // while culling is off, while function tracing is on (its trace names every draw) and while
  // rotation pivots are set. NaN corners count as shown.
  bool mayShow(double left, double top, double right, double bottom);
  // The same for a shape drawn about the mapped centre reaching radius * getScale() screen
  // pixels in every direction (a sprite's quad): on a view that is not 4:3 such a shape
  // covers more world units across one axis than radius.
  bool mayShowAround(Point const& center, double radius);

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

 private:
  // The world box shown by the camera as it stood at the last mayShow, kept while the camera
  // does not change.
  struct ShownBox {
    // What the box was worked out from: the corners, the corner list the getters read, the turn.
    double key[17] = {};
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool bValid = false;
  };
  ShownBox const& getShownBox();
  ShownBox shown;
};

extern View view;
// The extent of the current level.
extern Rect worldBounds;

// Animates the camera to the centre, size and angle over totalTime milliseconds, drawing the
// state every frame while the world stands still; 'q' skips to the end. Nothing happens when
// the view already has the new width; with no time given it jumps to the end.
void cameraTransition(Point newPoint, double newWidth, double newHeight, double totalTime,
                      double newAngle, GameState& drawState);
// The editor's default level extent.
void setDefaultWorldBounds();
