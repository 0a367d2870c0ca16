#include "presentation/ProgressBar.h"

#include <GL/gl.h>

#include "core/Debug.h"
#include "presentation/Draw.h"
#include "presentation/View.h"

ProgressBar::ProgressBar() : bSetColors(false) {}

void ProgressBar::setColors(Color const& fill, Color const& back, Color const& potential) {
  fillColor = fill;
  setColorTo(back);
  potentialColor = potential;
  bSetColors = true;
}

void ProgressBar::handleDefaultColors() {
  if (bSetColors) return;
  setColors(getColor("green"), getColor("dark green"), Color(50, 200, 50));
}

void ProgressBar::draw(float val, float maxVal) {
  if (maxVal == 0) recordError("Error: maxVal is 0 in ProgressBar::draw");
  handleDefaultColors();
  SimpleRect::draw();
  drawBar(*this, val, maxVal, fillColor);
}

void ProgressBar::drawPotential(float val, float maxVal, float potential) {
  handleDefaultColors();
  SimpleRect::draw();
  if (val >= potential) {
    drawBar(*this, val, maxVal, fillColor);
    drawBar(*this, potential, maxVal, potentialColor);
  } else {
    drawBar(*this, potential, maxVal, potentialColor);
    drawBar(*this, val, maxVal, fillColor);
  }
}

void drawBar(Rect const& rect, float val, float maxVal, Color const& color) {
  // A zero maximum has no share to show; dividing by it would give infinite corners.
  if (maxVal == 0) return;
  float left = rect.getLeft(), top = rect.getTop(), right = rect.getRight();
  float bottom = rect.getBottom();
  float share = val / maxVal;
  if (rect.getWidth() <= rect.getHeight()) {
    top = bottom - rect.getHeight() * share;
    if (!(top < bottom)) return;
  } else {
    right = left + rect.getWidth() * share;
    if (!(right > left)) return;
  }
  // Drawn from its corners: a rectangle built here would draw its random default colours from
  // the game's random sequence at every frame.
  Point corners[4] = {Point(left, top), Point(right, top), Point(right, bottom),
                      Point(left, bottom)};
  if (rect.bInView)
    for (Point& corner : corners) view.mapToView(corner);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  color.setGL();
  glBegin(GL_QUADS);
  for (Point const& corner : corners) glVertex2d(corner.x, corner.y);
  glEnd();
  clearColor();
  for (int i = 0; i < 4; i++) drawLine(corners[(i + 3) % 4], corners[i], color, false);
}
