#include "presentation/SelectionMenu.h"

#include "core/Debug.h"
#include "presentation/Messages.h"
#include "presentation/Mouse.h"
#include "presentation/Text.h"
#include "presentation/View.h"

namespace {
const float itemHeight = 20;
const int labelMargin = 45;
}  // namespace

MenuItem::MenuItem(std::string const& newText) : font(0), text(newText) { bFilled = true; }

MenuItem::MenuItem(MenuItem const& other) : Rect(other), font(other.font), text(other.text) {
  color = other.color;
  borderColor = other.borderColor;
  bFilled = other.bFilled;
  bInView = other.bInView;
}

MenuItem& MenuItem::operator=(MenuItem const& other) {
  Rect::operator=(other);
  font = other.font;
  text = other.text;
  bFilled = other.bFilled;
  bInView = other.bInView;
  return *this;
}

void MenuItem::draw() {
  SimpleRect::draw();
  drawTextInWorld(text, getLeft() + view.pixelsToWorldX(2), getTop() + view.pixelsToWorldY(2),
                  font);
}

SelectionMenu::SelectionMenu()
    : backColor("blue"), highlightColor("white"), itemWidth(50), bOpen(false), selected(-1) {}

void SelectionMenu::activate() { recordError("Activate called on base menu object"); }

// Item widths and heights are screen pixels (the labels are), made world lengths at the camera's
// zoom when the items are laid out, so that the labels fit however far the camera is out.
void SelectionMenu::addItem(std::string const& text) {
  int width = getTextWidth(text, 0) + labelMargin;
  if (width > itemWidth) {
    for (MenuItem& item : items)
      item.setRightIndep(item.getLeft() + view.pixelsToWorldX(static_cast<float>(width)));
    itemWidth = width;
  }
  float left = items.empty() ? 0 : items.back().getLeft();
  float top = items.empty() ? 0 : items.back().getBottom();
  MenuItem item(text);
  item.setRect(left, top, left + view.pixelsToWorldX(static_cast<float>(itemWidth)),
               top + view.pixelsToWorldY(itemHeight));
  items.push_back(item);
}

void SelectionMenu::open(float x, float y) {
  // A closed menu is laid out afresh, at the zoom it opens at.
  if (!bOpen) stackItems();
  for (MenuItem& item : items) item.move(x, y);
  bOpen = true;
}

void SelectionMenu::close() {
  bOpen = false;
  stackItems();
}

void SelectionMenu::stackItems() {
  float top = 0;
  float width = view.pixelsToWorldX(static_cast<float>(itemWidth));
  float height = view.pixelsToWorldY(itemHeight);
  for (MenuItem& item : items) {
    item.setRect(0, top, width, top + height);
    top += height;
  }
}

void SelectionMenu::process() {
  if (!bOpen) return;
  selected = -1;
  for (size_t i = 0; i < items.size(); i++)
    if (items[i].isPtIn(static_cast<float>(mouse.x), static_cast<float>(mouse.y)))
      selected = static_cast<int>(i);
  if (mouse.leftReleased() && selected != -1) activate();
}

void SelectionMenu::draw() {
  if (!bOpen) return;
  for (size_t i = 0; i < items.size(); i++) {
    items[i].setFillColor(static_cast<int>(i) == selected ? highlightColor : backColor);
    items[i].draw();
  }
}
