// Labelled buttons in world coordinates, kept in one global list and found by their label,
// and the number pad built from ten of them.
#pragma once

#include <string>
#include <vector>

#include "geometry/Rect.h"

class Button : public Rect {
 public:
  // A black, orange-bordered button of that size centred on (x, y).
  Button(std::string const& label, float x, float y, float width, float height);
  // The list holds copies: they keep the look, which a plain rectangle's copy drops.
  Button(Button const& other);
  Button& operator=(Button const& other);

  void draw() override;

  // The label, which is also the button's key in the list.
  std::string text;
};

extern std::vector<Button> buttons;

// Refused with a log line when a button of that label exists. Unless bCentered, (x, y) is the
// top-left corner.
void newButton(std::string const& label, float x, float y, float width, float height,
               bool bCentered);
// 150 by 50, centred on (x, y).
void newButton(std::string const& label, float x, float y);
// Centred on the camera horizontally, each new one 70 lower than the last.
void newButton(std::string const& label);
// A button of that label holds the mouse and the left button was released this frame.
bool isPressed(std::string const& label);
bool isClicked(std::string const& label);
void changeButtonText(std::string const& oldLabel, std::string const& newLabel);
void drawButtons();
void clearButtons();

// Buttons "1" to "9" three to a row, then "0" under "1".
class NumberButtons {
 public:
  virtual ~NumberButtons() {}

  void init(float x, float y, float width, float height, float colGap, float rowGap);
  // The first digit whose button was pressed, or -1.
  int getDigit();
  bool isPressed();
};
