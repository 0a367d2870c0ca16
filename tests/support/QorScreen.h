// Opens qor's 800 by 600 OpenGL screen in a window (not full screen) for tests under Xvfb, and
// reads pixels back in the logical screen's coordinates (y downward).
#pragma once

#include <GL/gl.h>
#include <SDL.h>

#include <cstdlib>
#include <vector>

#include "game/Console.h"
#include "game/LeakChecking.h"

// Keeps the GL driver loaded to the end, as start-up does, for screens opened without it.
inline void pinLoadedLibraries() { keepLoadedLibraries(); }

// Tests run on Xvfb; without this, SDL may fall back to another driver (a text-mode one)
// when the display is busy with other tests.
// A display shared by tests running side by side can refuse a connection for a moment, so the
// connection is retried.
inline void startVideo() {
  setenv("SDL_VIDEODRIVER", "x11", 0);
  for (int attempt = 0; attempt < 20; attempt++) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return;
    SDL_Delay(100);
  }
}

// The whole start-up of qor in a window, with the exit handlers kept from unloading the GL
// driver.
inline void startQorInAWindow() {
  startVideo();
  bFullscreen = false;
  init();
  pinLoadedLibraries();
}

// SDL video and the screen as start-up sets it, in a window.
inline void openTestScreen() {
  startVideo();
  bFullscreen = false;
  setVideoMode();
  pinLoadedLibraries();
}

struct Pixel {
  int r, g, b;
  bool isBlack() const { return r == 0 && g == 0 && b == 0; }
};

// The pixel of the back buffer at logical (x, y), y counted downward, on an 800 by 600 window.
inline Pixel readPixel(int x, int y) {
  unsigned char rgb[4] = {0, 0, 0, 0};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, getWindowHeight() - 1 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
  return Pixel{rgb[0], rgb[1], rgb[2]};
}

// How many pixels of the rectangle [x0, x1) by [y0, y1) are not black.
inline int countLit(int x0, int y0, int x1, int y1) {
  int w = x1 - x0, h = y1 - y0;
  if (w <= 0 || h <= 0) return 0;
  std::vector<unsigned char> rgb(3 * w * h);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x0, getWindowHeight() - y1, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  int lit = 0;
  for (int i = 0; i < w * h; i++)
    if (rgb[3 * i] || rgb[3 * i + 1] || rgb[3 * i + 2]) lit++;
  return lit;
}

// The bounding box of the lit pixels of the rectangle, as [left, right] by [top, bottom];
// false when none is lit.
inline bool litBounds(int x0, int y0, int x1, int y1, int& left, int& top, int& right,
                      int& bottom) {
  int w = x1 - x0, h = y1 - y0;
  std::vector<unsigned char> rgb(3 * w * h);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x0, getWindowHeight() - y1, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  bool found = false;
  for (int row = 0; row < h; row++)
    for (int col = 0; col < w; col++) {
      int i = row * w + col;
      if (!(rgb[3 * i] || rgb[3 * i + 1] || rgb[3 * i + 2])) continue;
      // Rows come bottom-up from OpenGL.
      int x = x0 + col, y = y1 - 1 - row;
      if (!found) {
        left = right = x;
        top = bottom = y;
        found = true;
      }
      if (x < left) left = x;
      if (x > right) right = x;
      if (y < top) top = y;
      if (y > bottom) bottom = y;
    }
  return found;
}
