// A one-line text entry box: a prompt, the typed text in capitals in a field with a blinking
// cursor, and an OK button; done on a click of OK or on Return.
#pragma once

#include <string>

#include "core/Timer.h"
#include "geometry/Rect.h"
#include "presentation/Colors.h"
#include "presentation/Sprite.h"

class InputBox : public Rect {
 public:
  InputBox();

  // Sized for maxLength characters beside the prompt and the OK button, on the camera.
  void init(int maxLength, std::string const& newPrompt);
  void init(std::string const& newPrompt, int maxLength) { init(maxLength, newPrompt); }
  void draw() override;

  void setInput(std::string const& text) { input = text; }
  std::string getText() const { return input; }
  bool isDone();

 protected:
  std::string prompt;
  std::string input;
  int newTextFont;
  int promptFont;
  bool bDrawBackRect;
  Rect textRect;
  Timer cursorTimer;
  bool bCursorBlink;
  Color lineColor;
  Sprite okSprite;
};
