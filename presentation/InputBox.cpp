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

  float textHeight = static_cast<float>(getTextHeight(0));
  float fieldWidth = static_cast<float>(maxLength * getTextWidth("W", 0) + getTextWidth(" ", 0));
  textRect.setRect(0, 0, fieldWidth, 1.1f * textHeight);
  textRect.bFilled = true;
  textRect.setFillColor(Color(100, 100, 100));
  textRect.setBorderColor("white");

  setBorderColor("black");
  setFillColor("grey");
  bFilled = true;
  float height = std::max(1.6f * textHeight, 1.1f * textRect.getHeight());
  float width = 1.1f * (okSprite.getWidth() + static_cast<float>(getTextWidth(prompt, promptFont)) +
                        textRect.getWidth());
  Point middle = view.getCenter();
  setRect(static_cast<float>(middle.x) - width / 2, static_cast<float>(middle.y) - height / 2,
          static_cast<float>(middle.x) + width / 2, static_cast<float>(middle.y) + height / 2);
  cursorTimer.set(cursorBlinkMs);
  bCursorBlink = true;
}

bool InputBox::isDone() { return okSprite.isClicked() || justPressed(SDLK_RETURN); }

void InputBox::draw() {
  float textHeight = static_cast<float>(getTextHeight(0));
  float middleY = static_cast<float>(getCenter().y);
  if (bDrawBackRect) SimpleRect::draw();
  drawTextInWorld(prompt, getLeft() + 5, middleY - textHeight / 2, promptFont);

  okSprite.setRight(getRight() - 2);
  okSprite.setCenter(static_cast<float>(okSprite.getCenter().x), middleY);
  okSprite.draw();

  textRect.setRight(okSprite.getLeft() - 0.01f * getWidth());
  textRect.setCenter(static_cast<float>(textRect.getCenter().x), middleY);
  textRect.draw();

  uppercase(input);
  float textLeft = textRect.getLeft() + 0.01f * textRect.getWidth();
  float textMiddleY = static_cast<float>(textRect.getCenter().y);
  drawTextInWorld(input, textLeft, textMiddleY - textHeight / 2, newTextFont);

  if (cursorTimer.isUp()) {
    cursorTimer.reset();
    bCursorBlink = !bCursorBlink;
  }
  if (!bCursorBlink) return;
  // The text's width is in screen pixels; the cursor is placed in the world.
  float textEnd = textLeft + static_cast<float>(getTextWidth(input, newTextFont)) /
                                 static_cast<float>(view.getScale());
  float cursorX = textEnd + 1;
  drawLine(cursorX, textRect.getTop() + 0.1f * textRect.getHeight(), cursorX,
           textRect.getBottom() - 0.1f * textRect.getHeight(), lineColor, true);
}
