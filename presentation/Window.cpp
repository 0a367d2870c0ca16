#include "presentation/Window.h"

#include <SDL.h>

#include "presentation/Keyboard.h"
#include "presentation/Mouse.h"
#include "presentation/View.h"

bool Window::closeClicked() {
  bool bOnClose = closeSprite.isPtInRect(static_cast<float>(mouse.x), static_cast<float>(mouse.y));
  return (bOnClose && mouse.leftReleased()) || justPressed(SDLK_ESCAPE);
}

void RectWindow::init() {
  setBorderColor(Color(100, 100, 255));
  setFillColor("black");
  bFilled = true;
  place();
  closeSprite.loadFrame("close.bmp", true);
  closeSprite.setRight(getRight());
  closeSprite.setTop(getTop());
}

void RectWindow::place() {
  Point middle = view.getCenter();
  setCenter(static_cast<float>(middle.x), static_cast<float>(middle.y));
}

void SpriteWindow::init(std::string const& imageFile) {
  loadFrame(imageFile, true);
  Point middle = view.getCenter();
  setCenter(static_cast<float>(middle.x), static_cast<float>(middle.y));
  closeSprite.loadFrame("close.bmp", true);
  closeSprite.setCenter(getLeft() + getCloseX(), getTop() + getCloseY());
}
