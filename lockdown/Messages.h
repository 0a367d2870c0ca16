// The modal message and yes/no box, text width estimates and the timed banner.
#pragma once

namespace lockdown {

// A plain message is answered by Enter or a left click (true); a question by Y or a
// click on "Y" (true), N, Escape or a click on "N" (false).
bool AskYesNo(const char* text, bool bQuestion);
int MeasureText(const char* text);

// A text shown for a number of frames.
struct Banner {
  static constexpr int kTextSize = 150;
  int x = 0, y = 0, colour = 0;
  int framesLeft = 0;
  char text[kTextSize] = {0};

  void SetText(const char* s);
  void Tick() {
    if (framesLeft > 0) --framesLeft;
  }
  void Draw() const;
};

}  // namespace lockdown
