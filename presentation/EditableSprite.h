// A loadable sprite that the level editor can place, move, pick, save and load: the base of
// every ship and fence post. It answers the editor from its sprite rectangle and leaves images,
// copies, sizes and lists to its subclasses.
#pragma once

#include "core/Editable.h"
#include "presentation/Sprite.h"

class EditableSprite : public LoadableSprite, public Editable {
 public:
  void move(float x, float y) override;
  void initFromFile(std::istream& in) override;
  void saveToFile(std::ostream& out) override;
  // Drawn as a plain sprite: never with parallax.
  void draw() override;

  // Loads the class's images under the mouse.
  void initForEditor() override;
  void setToMouse() override;
  bool isPtIn(float x, float y) const override;
  float getXCenter() const override;
  float getYCenter() const override;
  Point getCenter() const override;
  bool place(int x, int y) override;
  Rect getBounds() override;
};
