// In-game windows with a close button: a plain rectangle centred on the camera, or an image.
#pragma once

#include <string>

#include "geometry/Rect.h"
#include "presentation/Sprite.h"

class WindowOpener;

class Window {
 public:
  Window() : parent(nullptr) {}
  virtual ~Window() {}

  // The close button was clicked this frame, or Escape pressed.
  bool closeClicked();

 protected:
  Sprite closeSprite;
  WindowOpener* parent;
};

class RectWindow : public Rect, public Window {
 public:
  // A filled black window with a light blue border, on the camera, its close button in the
  // top-right corner.
  void init();
  // Centres the window on the camera.
  virtual void place();
};

class SpriteWindow : public Sprite, public Window {
 public:
  // The image as the window, centred on the camera, with the close button at the subclass's
  // offset from the top-left corner.
  void init(std::string const& imageFile);
  virtual float getCloseX() = 0;
  virtual float getCloseY() = 0;
};
