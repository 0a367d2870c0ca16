// A rectangle showing a value against a maximum as a filled part of itself: upward when it is
// at most as wide as it is high, rightward otherwise, with an optional second value (the
// "potential") in another colour. Its own outline is the bar's frame.
#pragma once

#include "geometry/Rect.h"
#include "presentation/Colors.h"

class ProgressBar : public Rect {
 public:
  ProgressBar();
  ~ProgressBar() override {}

  // fill: the value's bar; back: the frame; potential: the potential's bar.
  void setColors(Color const& fill, Color const& back, Color const& potential);
  void handleDefaultColors();
  void draw(float val, float maxVal);
  // Both bars, the larger value first so that the smaller shows on top of it.
  void drawPotential(float val, float maxVal, float potential);

 protected:
  Color fillColor;
  Color potentialColor;
  bool bSetColors;
};

// The filled part of rect for val out of maxVal; nothing when the part has no extent.
void drawBar(Rect const& rect, float val, float maxVal, Color const& color);
