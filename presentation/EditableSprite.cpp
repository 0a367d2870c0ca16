#include "presentation/EditableSprite.h"

#include "presentation/Mouse.h"

void EditableSprite::move(float x, float y) { SimpleRect::move(x, y); }

void EditableSprite::initFromFile(std::istream& in) { LoadableSprite::initFromFile(in); }

void EditableSprite::saveToFile(std::ostream& out) { LoadableSprite::saveToFile(out); }

void EditableSprite::draw() { Sprite::draw(); }

void EditableSprite::initForEditor() {
  loadDefaultFrames();
  setToMouse();
}

void EditableSprite::setToMouse() {
  SimpleRect::setCenter(static_cast<float>(mouse.x), static_cast<float>(mouse.y));
}

bool EditableSprite::isPtIn(float x, float y) const { return isPtInRect(x, y); }

float EditableSprite::getXCenter() const { return SimpleRect::getXCenter(); }

float EditableSprite::getYCenter() const { return SimpleRect::getYCenter(); }

Point EditableSprite::getCenter() const { return SimpleRect::getCenter(); }

bool EditableSprite::place(int x, int y) {
  SimpleRect::setCenter(static_cast<float>(x), static_cast<float>(y));
  return true;
}

Rect EditableSprite::getBounds() { return Rect(static_cast<Rect const&>(*this)); }
