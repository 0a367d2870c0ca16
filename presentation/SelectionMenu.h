// A pop-up menu: a column of equally wide labelled items that opens at a point, highlights the
// item under the mouse and hands a click on it to the subclass's activate.
#pragma once

#include <string>
#include <vector>

#include "geometry/Rect.h"
#include "presentation/Colors.h"

class MenuItem : public Rect {
 public:
  explicit MenuItem(std::string const& newText = "empty");
  // The menu holds copies: they keep the look, which a plain rectangle's copy drops.
  MenuItem(MenuItem const& other);
  MenuItem& operator=(MenuItem const& other);

  void draw() override;

  int font;
  std::string text;
};

class SelectionMenu {
 public:
  SelectionMenu();
  virtual ~SelectionMenu() {}

  virtual void activate();

  // Every item widens to fit the longest label.
  void addItem(std::string const& text);
  // Moves the items by (x, y) and shows them; a closed menu is first stacked afresh.
  void open(float x, float y);
  // Hides the items and stacks them again from the origin.
  void close();
  void process();
  void draw();

  bool isOpen() const { return bOpen; }
  int getSelected() const { return selected; }
  std::vector<MenuItem>& getItems() { return items; }

 protected:
  // The items one below the other from the origin, at the camera's zoom.
  void stackItems();

  Color backColor;
  Color highlightColor;
  std::vector<MenuItem> items;
  int itemWidth;
  bool bOpen;
  // The item under the mouse, -1 for none.
  int selected;
};
