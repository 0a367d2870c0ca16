// An input source that a test scripts frame by frame: keys held down, modifiers, the pointer
// and its buttons, and the events the next frame will find. Installed for its lifetime.
// As with SDL, a key's state changes only when its event is taken from the queue.
#pragma once

#include <deque>
#include <set>

#include "presentation/InputSource.h"

class ScriptedInput : public InputSource {
 public:
  ScriptedInput() { setInputSource(this); }
  ~ScriptedInput() override { setInputSource(nullptr); }

  // The key goes down, and stays down in the key state until released.
  void press(int key) { queueKey(SDL_KEYDOWN, key); }
  void release(int key) { queueKey(SDL_KEYUP, key); }
  // Down and up between two frames: both events; the key state never shows it at a frame start.
  void tap(int key) {
    queueKey(SDL_KEYDOWN, key);
    queueKey(SDL_KEYUP, key);
  }
  // Events queued after this are left for the next frame: the current frame's event loop
  // stops here.
  void nextFrame() {
    SDL_Event e;
    e.type = SDL_NOEVENT;
    events.push_back(e);
  }
  void setMods(int newMods) { mods = newMods; }
  // Moves the pointer to a window pixel, adding the motion to the relative reading.
  void moveTo(int newX, int newY) {
    relX += newX - px;
    relY += newY - py;
    px = newX;
    py = newY;
  }
  void setButtons(unsigned newButtons) { buttons = newButtons; }
  void pressLeft() { buttons |= SDL_BUTTON(SDL_BUTTON_LEFT); }
  void releaseLeft() { buttons &= ~SDL_BUTTON(SDL_BUTTON_LEFT); }
  void pressRight() { buttons |= SDL_BUTTON(SDL_BUTTON_RIGHT); }
  void releaseRight() { buttons &= ~SDL_BUTTON(SDL_BUTTON_RIGHT); }
  void queueQuit() {
    SDL_Event e;
    e.type = SDL_QUIT;
    events.push_back(e);
  }
  void queueResize(int w, int h) {
    SDL_Event e;
    e.type = SDL_VIDEORESIZE;
    e.resize.w = w;
    e.resize.h = h;
    events.push_back(e);
  }
  void queueKey(Uint8 type, int key) {
    SDL_Event e;
    e.type = type;
    e.key.type = type;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = static_cast<SDLKey>(key);
    e.key.keysym.mod = static_cast<SDLMod>(mods);
    e.key.keysym.scancode = 0;
    e.key.keysym.unicode = 0;
    events.push_back(e);
  }

  bool isKeyDown(int key) override { return down.count(key) != 0; }
  int getModState() override { return mods; }
  void setModState(int newMods) override { mods = newMods; }
  unsigned getMouseState(int& x, int& y) override {
    x = px;
    y = py;
    return buttons;
  }
  void getRelativeMouseState(int& x, int& y) override {
    x = relX;
    y = relY;
    relX = 0;
    relY = 0;
  }
  bool pollEvent(SDL_Event& event) override {
    if (events.empty()) return false;
    event = events.front();
    events.pop_front();
    if (event.type == SDL_NOEVENT) return false;
    if (event.type == SDL_KEYDOWN) down.insert(event.key.keysym.sym);
    if (event.type == SDL_KEYUP) down.erase(event.key.keysym.sym);
    return true;
  }

  std::set<int> down;
  std::deque<SDL_Event> events;
  int mods = 0;
  int px = 0, py = 0;
  int relX = 0, relY = 0;
  unsigned buttons = 0;
};
