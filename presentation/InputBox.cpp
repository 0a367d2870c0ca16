#include "presentation/InputBox.h"

#include <SDL.h>

#include <algorithm>

#include "presentation/Draw.h"
#include "presentation/Keyboard.h"
#include "presentation/Messages.h"
#include "presentation/Text.h"
#include "presentation/View.h"

namespace {
const int cursorBlinkMs = 500;
}  // namespace

InputBox::InputBox()
    : newTextFont(0), promptFont(0), bDrawBackRect(true), bCursorBlink(true), lineColor("white") {}

void InputBox::init(int maxLength, std::string const& newPrompt) {
  prompt = newPrompt;
  input = "";
  newTextFont = 0;
  promptFont = 0;
  bDrawBackRect = true;
  okSprite.loadFrame("ok.bmp", true);
  // The OK button shows its hover image even while a prompt holds the mouse.
  okSprite.overideMouseGrab();
  lineColor = getColor("white");

  // Measured in screen pixels by the text, placed in the world: every size becomes a world
  // length at the camera's zoom, the OK button's included, so that the box fits its text and
  // button however far the camera is out.
  okSprite.setWidth(view.pixelsToWorldX(okSprite.getWidth()));
  okSprite.setHeight(view.pixelsToWorldY(okSprite.getHeight()));
  float textHeight = static_cast<float>(getTextHeight(0));
  float fieldWidth = static_cast<float>(maxLength * getTextWidth("W", 0) + getTextWidth(" ", 0));
  textRect.setRect(0, 0, view.pixelsToWorldX(fieldWidth), view.pixelsToWorldY(1.1f * textHeight));
  textRect.bFilled = true;
  textRect.setFillColor(Color(100, 100, 100));
  textRect.setBorderColor("white");

  setBorderColor("black");
  setFillColor("grey");
  bFilled = true;
  // Tall enough for the OK button too, which is taller than a line of text.
  float height = std::max({view.pixelsToWorldY(1.6f * textHeight), 1.1f * textRect.getHeight(),
                           1.1f * okSprite.getHeight()});
  float width = 1.1f * (okSprite.getWidth() +
                        view.pixelsToWorldX(static_cast<float>(getTextWidth(prompt, promptFont))) +
                        textRect.getWidth());
  Point middle = view.getCenter();
  setRect(static_cast<float>(middle.x) - width / 2, static_cast<float>(middle.y) - height / 2,
          static_cast<float>(middle.x) + width / 2, static_cast<float>(middle.y) + height / 2);
  cursorTimer.set(cursorBlinkMs);
  bCursorBlink = true;
}

bool InputBox::isDone() { return okSprite.isClicked() || justPressed(SDLK_RETURN); }

void InputBox::draw() {
  // Offsets measured in screen pixels, like the text.
  float halfText = view.pixelsToWorldY(static_cast<float>(getTextHeight(0)) / 2);
  float middleY = static_cast<float>(getCenter().y);
  if (bDrawBackRect) SimpleRect::draw();
  drawTextInWorld(prompt, getLeft() + view.pixelsToWorldX(5), middleY - halfText, promptFont);

  okSprite.setRight(getRight() - view.pixelsToWorldX(2));
  okSprite.setCenter(static_cast<float>(okSprite.getCenter().x), middleY);
  okSprite.draw();

  textRect.setRight(okSprite.getLeft() - 0.01f * getWidth());
  textRect.setCenter(static_cast<float>(textRect.getCenter().x), middleY);
  textRect.draw();

  uppercase(input);
  float textLeft = textRect.getLeft() + 0.01f * textRect.getWidth();
  float textMiddleY = static_cast<float>(textRect.getCenter().y);
  drawTextInWorld(input, textLeft, textMiddleY - halfText, newTextFont);

  if (cursorTimer.isUp()) {
    cursorTimer.reset();
    bCursorBlink = !bCursorBlink;
  }
  if (!bCursorBlink) return;
  // The text's width is in screen pixels; the cursor is placed in the world.
  float textEnd =
      textLeft + view.pixelsToWorldX(static_cast<float>(getTextWidth(input, newTextFont)));
  float cursorX = textEnd + view.pixelsToWorldX(1);
  drawLine(cursorX, textRect.getTop() + 0.1f * textRect.getHeight(), cursorX,
           textRect.getBottom() - 0.1f * textRect.getHeight(), lineColor, true);
}
