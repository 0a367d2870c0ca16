// Modal message boxes: a filled box in the middle of the camera's upper half showing lines of
// text, closed by any key or answered yes or no, while the world stands still. The box runs
// on the main module's one-frame pump and pauses every timer while it is up.
#pragma once

#include <string>
#include <vector>

#include "core/Timer.h"
#include "geometry/Rect.h"
#include "presentation/Colors.h"

class GameState;

// The state of the one box that is up, kept between boxes; initMessage sets it afresh.
extern std::vector<std::string> currMessage;
extern bool bYesno;
extern Rect backRect;
extern Rect yRect;
extern Rect nRect;
extern Color selectColor;
extern Color defaultColor;
extern int messageFont;
extern Timer timeDisplayed;
extern float horizTextGap;
extern float vertTextGap;

// The info lines hold the box's lines too, so a box shows at most this many.
const int maxMessageLines = 20;

// True for "yes", or for any key when the box does not ask; false for "no".
bool message(std::string const& line, bool bYesNo);
bool message(std::vector<std::string>& lines, bool bYesNo);
bool message(int number);

// The three steps of the box's loop, usable alone.
void initMessage();
// "continue", "done", "yes" or "no".
std::string processMessage();
void drawMessage();

// The one box as an object, over the same state as the functions above.
class MessageBox {
 public:
  virtual ~MessageBox() {}

  void activate(std::vector<std::string> const& lines, bool bYesNo);
  std::string process();
  void draw();
  std::string handleYesNo();
  void setBackRect();
  void setYesNoRects();
};

// One choice of a choice box.
class ChoiceRect : public Rect {
 public:
  explicit ChoiceRect(std::string const& newText);
  std::string text;
};

// A box across the camera listing the choices one per line: gives the one clicked, or "" on
// Escape.
std::string messageChoice(std::vector<std::string> const& choices);

// Modal entry of a line of at most maxLength characters in an input box on the camera, drawn
// over the state; ends on OK or Return and gives the text as the box shows it (in capitals).
std::string promptInput(std::string const& prompt, int maxLength, GameState* state);

// Text whose top-left corner lies at the world point (x, y), placed through the camera; the
// widgets label themselves with it too.
void drawTextInWorld(std::string const& text, float x, float y, int font);
