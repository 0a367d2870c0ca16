#include "lockdown/Messages.h"

#include <cstdio>

#include "lockdown/Camera.h"
#include "lockdown/Game.h"
#include "lockdown/Input.h"
#include "lockdown/Keys.h"
#include "lockdown/Screen.h"
#include "lockdown/platform/BitmapFont.h"
#include "lockdown/platform/VirtualKeys.h"

namespace lockdown {

int MeasureText(const char* text) {
  int width = 0;
  for (const char* c = text; c && *c; ++c) width += platform::CharAdvance(*c);
  return width;
}

void Banner::SetText(const char* s) { std::snprintf(text, sizeof text, "%s", s ? s : ""); }

void Banner::Draw() const {
  if (framesLeft > 0) DrawText(x, y, text, colour);
}

bool AskYesNo(const char* text, bool bQuestion) {
  const Rect yesBox(300, 315, 180, 195), noBox(450, 465, 180, 195);
  // The file-name prompt ends on Enter and clears the counters, so the Enter that ended it
  // would read as a first frame again and close "Saved." unseen: only a press that starts
  // while the box is up answers it.
  bool bEnterWasUp = false;
  for (;;) {
    input.Update();
    UpdateKeyCounters();
    if (game.bCloseRequested) return false;
    if (keyCounters[VK_RETURN] == 0) bEnterWasUp = true;
    // Screen coordinates: the boxes do not move with the camera.
    int mx = input.x - camera.view.left, my = input.y - camera.view.top;
    if (bQuestion) {
      if (keyCounters[int{'Y'}] || (input.LeftClicked() && yesBox.Contains(mx, my))) return true;
      if (keyCounters[int{'N'}] || keyCounters[VK_ESCAPE] == 1 ||
          (input.LeftClicked() && noBox.Contains(mx, my)))
        return false;
    } else if ((bEnterWasUp && keyCounters[VK_RETURN] == 1) || input.LeftClicked()) {
      return true;
    }
    game.Draw();
    FillRectOnSurface(200, 150, 600, 200, 5, backBuffer);
    DrawText(215, 160, text, 251);
    if (bQuestion) {
      for (const Rect* box : {&yesBox, &noBox}) {
        int colour = box->Contains(mx, my) ? 251 : 160;
        DrawLine(box->left, box->top, box->right, box->top, colour);
        DrawLine(box->left, box->bottom, box->right, box->bottom, colour);
        DrawLine(box->left, box->top, box->left, box->bottom, colour);
        DrawLine(box->right, box->top, box->right, box->bottom, colour);
      }
      DrawText(300, 180, "Y", 251);
      DrawText(450, 180, "N", 251);
    }
    input.DrawCursor();
    FlipScreen();
  }
}

}  // namespace lockdown
