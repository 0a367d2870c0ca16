#include "presentation/Button.h"

#include "core/Debug.h"
#include "core/GameServices.h"
#include "presentation/Mouse.h"
#include "presentation/Text.h"
#include "presentation/View.h"

std::vector<Button> buttons;

Button::Button(std::string const& label, float x, float y, float width, float height)
    : text(label) {
  setRect(x - width / 2, y - height / 2, x + width / 2, y + height / 2);
  bFilled = true;
  setFillColor("black");
  setBorderColor("orange");
}

Button::Button(Button const& other) : Rect(other), text(other.text) {
  color = other.color;
  borderColor = other.borderColor;
  bFilled = other.bFilled;
  bInView = other.bInView;
}

Button& Button::operator=(Button const& other) {
  Rect::operator=(other);
  text = other.text;
  bFilled = other.bFilled;
  bInView = other.bInView;
  return *this;
}

void Button::draw() {
  SimpleRect::draw();
  Point middle = getCenter();
  if (bInView) view.mapToView(middle);
  // The label is centred on the button as it appears on screen; text counts y upward.
  int left = static_cast<int>(middle.x - getTextWidth(text, 0) / 2.0f);
  int top = static_cast<int>(middle.y - getTextHeight(0) / 2.0f);
  drawText(text, static_cast<float>(left), getScreenHeight() - static_cast<float>(top), 16, 0);
}

void newButton(std::string const& label, float x, float y, float width, float height,
               bool bCentered) {
  for (Button const& button : buttons)
    if (button.text == label) {
      recordError("Error: Button already exists.  Name:", label);
      return;
    }
  if (!bCentered) {
    x += width / 2;
    y += height / 2;
  }
  buttons.push_back(Button(label, x, y, width, height));
}

// The default button is 150 by 50 screen pixels and the stacked ones 70 pixels apart, made world
// lengths at the camera's zoom, so that a label fits its button however far the camera is out.
void newButton(std::string const& label, float x, float y) {
  newButton(label, x, y, view.pixelsToWorldX(150), view.pixelsToWorldY(50), true);
}

void newButton(std::string const& label) {
  float y = view.getTop() + view.pixelsToWorldY(static_cast<float>(buttons.size() + 1) * 70);
  newButton(label, static_cast<float>(view.getCenter().x), y);
}

bool isPressed(std::string const& label) {
  if (!mouse.leftReleased()) return false;
  for (Button const& button : buttons)
    if (button.text == label &&
        button.isPtIn(static_cast<float>(mouse.x), static_cast<float>(mouse.y)))
      return true;
  return false;
}

bool isClicked(std::string const& label) { return isPressed(label); }

void changeButtonText(std::string const& oldLabel, std::string const& newLabel) {
  for (Button& button : buttons)
    if (button.text == oldLabel) {
      button.text = newLabel;
      return;
    }
}

void drawButtons() {
  for (Button& button : buttons) button.draw();
}

// Nothing creates buttons at run time that would need clearing: the list stays as built.
void clearButtons() {}

void NumberButtons::init(float x, float y, float width, float height, float colGap, float rowGap) {
  char const* labels[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"};
  for (int i = 0; i < 10; i++) {
    float left = x + static_cast<float>(i % 3) * (width + colGap);
    float top = y + static_cast<float>(i / 3) * (height + rowGap);
    newButton(labels[i], left, top, width, height, false);
  }
}

int NumberButtons::getDigit() {
  for (int digit = 0; digit <= 9; digit++)
    if (::isPressed(std::string(1, static_cast<char>('0' + digit)))) return digit;
  return -1;
}

bool NumberButtons::isPressed() { return getDigit() != -1; }
