// Where the keyboard and mouse are read from. The program reads SDL; tests install a source
// that they script frame by frame, since SDL's key-state array cannot be set from outside.
#pragma once

#include <SDL.h>

class InputSource {
 public:
  virtual ~InputSource() {}

  // Whether the key-state array shows the key down (key is an SDL key symbol).
  virtual bool isKeyDown(int key) = 0;
  virtual int getModState() = 0;
  virtual void setModState(int mods) = 0;
  // Button bits, and the window pixel position in x and y.
  virtual unsigned getMouseState(int& x, int& y) = 0;
  // Motion since the previous call, in window pixels.
  virtual void getRelativeMouseState(int& x, int& y) = 0;
  // Takes the next waiting event; false when none is left.
  virtual bool pollEvent(SDL_Event& event) = 0;
};

// SDL's own keyboard, mouse and event queue.
class SdlInputSource : public InputSource {
 public:
  bool isKeyDown(int key) override;
  int getModState() override;
  void setModState(int mods) override;
  unsigned getMouseState(int& x, int& y) override;
  void getRelativeMouseState(int& x, int& y) override;
  bool pollEvent(SDL_Event& event) override;
};

// The source in use: SDL unless another was installed.
InputSource& getInput();
// Installs a source; null restores SDL's.
void setInputSource(InputSource* source);
