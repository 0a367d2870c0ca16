#include "presentation/ProgressBar.h"

#include "core/Debug.h"

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
  Rect bar(rect);
  bar.bInView = rect.bInView;
  bar.bFilled = true;
  bar.setColorTo(color);
  float share = val / maxVal;
  if (rect.getWidth() <= rect.getHeight()) {
    float top = rect.getBottom() - rect.getHeight() * share;
    if (!(top < rect.getBottom())) return;
    bar.setTopIndep(top);
  } else {
    float right = rect.getLeft() + rect.getWidth() * share;
    if (!(right > rect.getLeft())) return;
    bar.setRightIndep(right);
  }
  bar.draw();
}
