#include "presentation/Draw.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>

#include "core/GameServices.h"
#include "presentation/View.h"

bool resizeWindow(int width, int height) {
  if (height == 0) height = 1;
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, getScreenWidth(), getScreenHeight(), 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  return true;
}

bool initGL() {
  glClearColor(0, 0, 0, 0);
  return true;
}

void drawLine(float x0, float y0, float x1, float y1, Color const& color, bool bMoveView) {
  Point p0(x0, y0);
  Point p1(x1, y1);
  if (bMoveView && skipOffScreenLine(p0, p1)) return;
  if (bMoveView) {
    view.mapToView(p0);
    view.mapToView(p1);
  }
  // A sprite drawn before may have left its translation and rotation.
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  color.setGL();
  glBegin(GL_LINES);
  glVertex2d(p0.x, p0.y);
  glVertex2d(p1.x, p1.y);
  glEnd();
  clearColor();
}

bool skipOffScreenLine(Point const& p1, Point const& p2) {
  if (view.mayShow(std::min(p1.x, p2.x), std::min(p1.y, p2.y), std::max(p1.x, p2.x),
                   std::max(p1.y, p2.y)))
    return false;
  clearColor();
  return true;
}

void drawLine(Point const& p1, Point const& p2, Color const& color, bool bMoveView) {
  drawLine(static_cast<float>(p1.x), static_cast<float>(p1.y), static_cast<float>(p2.x),
           static_cast<float>(p2.y), color, bMoveView);
}

void drawPixel(float x, float y, Uint8 r, Uint8 g, Uint8 b, bool bMoveView) {
  Point p(x, y);
  if (bMoveView) view.mapToView(p);
  // Like a line, a pixel must not inherit a sprite's transformation.
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glColor4ub(r, g, b, 255);
  glBegin(GL_POINTS);
  glVertex2d(p.x, p.y);
  glEnd();
  clearColor();
}

void drawPixel(float x, float y, Color const& color, bool bMoveView) {
  drawPixel(x, y, color.getR(), color.getG(), color.getB(), bMoveView);
}

void drawPixel(Point const& p, Color const& color) {
  drawPixel(static_cast<float>(p.x), static_cast<float>(p.y), color, true);
}

void drawPixel(Point const& p, std::string const& s) { drawPixel(p, getColor(s)); }

void drawLine(Point const& p1, Point const& p2, std::string const& colorString) {
  drawLine(p1, p2, getColor(colorString), true);
}

void drawLine(float x0, float y0, float x1, float y1, std::string const& s) {
  drawLine(x0, y0, x1, y1, getColor(s), true);
}

void drawX(float x, float y, Color const& color, float size) {
  drawLine(x - size, y - size, x + size, y + size, color, true);
  drawLine(x - size, y + size, x + size, y - size, color, true);
}

void showBMP(char* file, int x, int y) {
  SDL_Surface* screen = SDL_GetVideoSurface();
  SDL_Surface* image = SDL_LoadBMP(file);
  if (!image) {
    fprintf(stderr, "Couldn't load %s: %s\n", file, SDL_GetError());
    return;
  }
  if (screen) {
    SDL_Rect dest;
    dest.x = static_cast<Sint16>(x);
    dest.y = static_cast<Sint16>(y);
    dest.w = static_cast<Uint16>(image->w);
    dest.h = static_cast<Uint16>(image->h);
    SDL_BlitSurface(image, nullptr, screen, &dest);
    SDL_UpdateRects(screen, 1, &dest);
  }
  SDL_FreeSurface(image);
}

void screenLock() {
  SDL_Surface* screen = SDL_GetVideoSurface();
  if (screen && SDL_MUSTLOCK(screen)) SDL_LockSurface(screen);
}

void screenUnlock() {
  SDL_Surface* screen = SDL_GetVideoSurface();
  if (screen && SDL_MUSTLOCK(screen)) SDL_UnlockSurface(screen);
}

void clearScreen(Color color) {
  SDL_Surface* screen = SDL_GetVideoSurface();
  if (screen) SDL_FillRect(screen, nullptr, color.getScreenFormat());
}
