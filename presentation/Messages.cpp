#include "presentation/Messages.h"

#include <SDL.h>

#include <algorithm>

#include "core/GameServices.h"
#include "core/StringConversions.h"
#include "game/Console.h"
#include "presentation/InputBox.h"
#include "presentation/Keyboard.h"
#include "presentation/Mouse.h"
#include "presentation/Sprite.h"
#include "presentation/Text.h"
#include "presentation/View.h"

std::vector<std::string> currMessage;
bool bYesno = false;
Rect backRect;
Rect yRect;
Rect nRect;
Color selectColor(100, 255, 255);
Color defaultColor("blue");
int messageFont = 0;
Timer timeDisplayed;
float horizTextGap = 15.0f;
float vertTextGap = 10.0f;

namespace {
const int openingGuardMs = 300;

// The box's loop saw the answering key or click; the caller's frame must not act on it again
// (an Escape that answers "no" would otherwise end the program in the frame loop).
void consumeAnswer() {
  keys[SDLK_ESCAPE] = false;
  keys['y'] = false;
  keys['n'] = false;
  if (mouse.leftReleased() || mouse.rightReleased()) mouse.clearClicks();
}

bool isHovered(Rect const& button, float reach) {
  return dist(Point(static_cast<float>(mouse.x), static_cast<float>(mouse.y)), button.getCenter()) <
         reach;
}
}  // namespace

void drawTextInWorld(std::string const& text, float x, float y, int font) {
  Point topLeft(x, y);
  view.mapToView(topLeft);
  // Glyphs hang from the pen, and the pen counts y upward from the screen's bottom edge.
  drawText(text, static_cast<float>(topLeft.x), getScreenHeight() - static_cast<float>(topLeft.y),
           16, font);
}

bool message(std::string const& line, bool bYesNo) {
  std::vector<std::string> lines(1, line);
  return message(lines, bYesNo);
}

bool message(std::vector<std::string>& lines, bool bYesNo) {
  currMessage = lines;
  bYesno = bYesNo;
  initMessage();
  for (;;) {
    miniLoop(gameState);
    std::string result = processMessage();
    if (result == "continue") {
      drawMessage();
      continue;
    }
    consumeAnswer();
    // The box showed its lines on the info lines too; they go with it.
    for (size_t i = 0; i < currMessage.size(); i++) printInfo(" ", static_cast<int>(i));
    return result != "no";
  }
}

bool message(int number) {
  std::string text;
  addNumToString(text, number);
  return message(text, false);
}

namespace {
// The box is measured in screen pixels, by its text, and placed in the world: its sizes become
// world lengths at the camera's zoom, so that the text fits it however far the camera is out.
void placeBackRect() {
  float h = static_cast<float>(getTextHeight(messageFont));
  float innerHeight = h + static_cast<float>(currMessage.size()) * (0.4f * h + h);
  int widest = 30;
  for (std::string const& line : currMessage) widest = std::max(widest, getTextWidth(line, 0));
  float width = view.pixelsToWorldX(static_cast<float>(widest) + 2 * horizTextGap);
  innerHeight = view.pixelsToWorldY(innerHeight);

  float middle = view.getLeft() + view.getWidth() / 2;
  float top = view.getTop() + view.getHeight() / 4;
  backRect.setRect(middle - width / 2, top, middle + width / 2, top + innerHeight);
  backRect.bFilled = true;
  backRect.setColorTo(defaultColor);
  backRect.setBorderColor("white");
}

void placeYesNoRects() {
  float h = static_cast<float>(getTextHeight(messageFont));
  backRect.setBottomIndep(backRect.getBottom() + view.pixelsToWorldY(2 * h));
  float buttonWidth = view.pixelsToWorldX(static_cast<float>(getTextWidth('W', 0)));
  float buttonHeight = view.pixelsToWorldY(static_cast<float>(getTextHeight(0)));
  float y = backRect.getBottom() - 0.16f * backRect.getHeight();
  float yesX = backRect.getCenter().x - 0.3f * backRect.getWidth();
  float noX = backRect.getCenter().x + 0.3f * backRect.getWidth();
  yRect.setRect(yesX - buttonWidth / 2, y - buttonHeight / 2, yesX + buttonWidth / 2,
                y + buttonHeight / 2);
  nRect.setRect(noX - buttonWidth / 2, y - buttonHeight / 2, noX + buttonWidth / 2,
                y + buttonHeight / 2);
  yRect.bFilled = false;
  nRect.bFilled = false;
}

// The yes/no answer; no opening guard applies to it.
std::string answerYesNo() {
  float reach = 0.4f * dist(yRect.getCenter(), nRect.getCenter());
  bool bYesHovered = isHovered(yRect, reach);
  bool bNoHovered = isHovered(nRect, reach);
  yRect.setColorTo(bYesHovered ? selectColor : defaultColor);
  nRect.setColorTo(bNoHovered ? selectColor : defaultColor);
  if (justPressed('y') || (mouse.leftReleased() && bYesHovered)) {
    unPauseTimers();
    return "yes";
  }
  if (justPressed('n') || justPressed(SDLK_ESCAPE) || (mouse.leftReleased() && bNoHovered)) {
    unPauseTimers();
    return "no";
  }
  return "continue";
}
}  // namespace

void initMessage() {
  pauseTimers();
  timeDisplayed.unPause();
  timeDisplayed.set(openingGuardMs);
  selectColor = Color(100, 255, 255);
  defaultColor = getColor("blue");
  if (static_cast<int>(currMessage.size()) > maxMessageLines) currMessage.resize(maxMessageLines);
  placeBackRect();
  if (bYesno) placeYesNoRects();
}

std::string processMessage() {
  if (bYesno) return answerYesNo();
  // The guard keeps the key or click that opened the box from closing it.
  if (anyKey() && timeDisplayed.isUp()) {
    unPauseTimers();
    return "done";
  }
  return "continue";
}

void MessageBox::activate(std::vector<std::string> const& lines, bool bYesNo) {
  currMessage = lines;
  bYesno = bYesNo;
  initMessage();
}

std::string MessageBox::process() { return processMessage(); }

void MessageBox::draw() { drawMessage(); }

std::string MessageBox::handleYesNo() { return answerYesNo(); }

void MessageBox::setBackRect() { placeBackRect(); }

void MessageBox::setYesNoRects() { placeYesNoRects(); }

void drawMessage() {
  backRect.draw();
  for (int i = static_cast<int>(currMessage.size()) - 1; i >= 0; i--) printInfo(currMessage[i], i);
  // The margins and the line pitch are screen pixels, like the text itself.
  float h = static_cast<float>(getTextHeight(messageFont));
  for (size_t i = 0; i < currMessage.size(); i++) {
    float row = static_cast<float>(i);
    drawTextInWorld(currMessage[i], backRect.getLeft() + view.pixelsToWorldX(horizTextGap),
                    backRect.getTop() + view.pixelsToWorldY(vertTextGap + row * h + 0.5f * h * row),
                    0);
  }
  if (bYesno) {
    yRect.draw();
    nRect.draw();
    float letterTop = view.pixelsToWorldY(0.1f * h);
    drawTextInWorld(
        "Y", yRect.getLeft() + view.pixelsToWorldX(0.1f * static_cast<float>(getTextWidth("Y", 0))),
        yRect.getTop() + letterTop, 0);
    drawTextInWorld(
        "N", nRect.getLeft() + view.pixelsToWorldX(0.1f * static_cast<float>(getTextWidth("N", 0))),
        nRect.getTop() + letterTop, 0);
  }
  mouse.draw();
}

std::string promptInput(std::string const& prompt, int maxLength, GameState* state) {
  grabMouse();
  InputBox box;
  box.init(maxLength, prompt);
  for (;;) {
    miniLoop(state);
    box.draw();
    std::string text = box.getText();
    keyboardToString(text);
    if (static_cast<int>(text.size()) > maxLength) text.resize(std::max(0, maxLength));
    box.setInput(text);
    if (box.isDone()) break;
  }
  releaseMouse();
  // Return ends the entry; the caller's frame must not act on it again.
  keys[SDLK_RETURN] = false;
  if (mouse.leftReleased()) mouse.clearClicks();
  std::string result = box.getText();
  uppercase(result);
  return result;
}

ChoiceRect::ChoiceRect(std::string const& newText) : text(newText) {}

std::string messageChoice(std::vector<std::string> const& choices) {
  pauseTimers();
  // Rows and margins are screen pixels, like the text, turned into world lengths.
  float h = static_cast<float>(getTextHeight(messageFont));
  float pitch = view.pixelsToWorldY(1.5f * h);
  float height = view.pixelsToWorldY(2 * vertTextGap) + static_cast<float>(choices.size()) * pitch;
  float middle = static_cast<float>(view.getCenter().y);
  Rect box(view.getLeft(), middle - height / 2, view.getRight(), middle + height / 2);
  box.bFilled = true;
  box.setColorTo(getColor("blue"));
  box.setBorderColor("white");
  std::vector<ChoiceRect> rects;
  for (size_t i = 0; i < choices.size(); i++) {
    ChoiceRect choice(choices[i]);
    float top = box.getTop() + view.pixelsToWorldY(vertTextGap) + static_cast<float>(i) * pitch;
    choice.setRect(box.getLeft(), top, box.getRight(), top + pitch);
    rects.push_back(choice);
  }
  for (;;) {
    miniLoop(gameState);
    if (justPressed(SDLK_ESCAPE)) {
      keys[SDLK_ESCAPE] = false;
      unPauseTimers();
      return "";
    }
    box.draw();
    for (ChoiceRect& choice : rects) {
      bool bHovered = choice.isPtInRect(static_cast<float>(mouse.x), static_cast<float>(mouse.y));
      if (bHovered && mouse.leftReleased()) {
        mouse.clearClicks();
        unPauseTimers();
        return choice.text;
      }
      // Only the choice under the mouse is filled, in the selected colour.
      choice.bFilled = bHovered;
      choice.setColorTo(bHovered ? Color(100, 255, 255) : getColor("blue"));
      choice.draw();
      drawTextInWorld(choice.text, choice.getLeft() + view.pixelsToWorldX(horizTextGap),
                      choice.getTop() + view.pixelsToWorldY(0.25f * h), messageFont);
    }
    mouse.draw();
  }
}
