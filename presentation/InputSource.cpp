#include "presentation/InputSource.h"

namespace {
InputSource*& installedSource() {
  static InputSource* source = nullptr;
  return source;
}
}  // namespace

bool SdlInputSource::isKeyDown(int key) {
  int numKeys = 0;
  Uint8* state = SDL_GetKeyState(&numKeys);
  if (!state || key < 0 || key >= numKeys) return false;
  return state[key] != 0;
}

int SdlInputSource::getModState() { return SDL_GetModState(); }

void SdlInputSource::setModState(int mods) { SDL_SetModState(static_cast<SDLMod>(mods)); }

unsigned SdlInputSource::getMouseState(int& x, int& y) { return SDL_GetMouseState(&x, &y); }

void SdlInputSource::getRelativeMouseState(int& x, int& y) { SDL_GetRelativeMouseState(&x, &y); }

bool SdlInputSource::pollEvent(SDL_Event& event) { return SDL_PollEvent(&event) != 0; }

InputSource& getInput() {
  static SdlInputSource sdlSource;
  InputSource* source = installedSource();
  if (source) return *source;
  return sdlSource;
}

void setInputSource(InputSource* source) { installedSource() = source; }
