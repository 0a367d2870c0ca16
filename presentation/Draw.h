// OpenGL set-up of the logical 800 by 600 screen (origin top-left, y downwards) and the
// primitives the game draws with: lines and single pixels, optionally through the camera.
// Every primitive leaves the current colour opaque white.
#pragma once

#include <SDL.h>

#include <string>

#include "geometry/Point.h"
#include "presentation/Colors.h"

// Viewport over the whole window; the projection keeps the logical 800 by 600 screen whatever
// the window size, so that mouse mapping and text stay right. A height of 0 counts as 1.
bool resizeWindow(int width, int height);
bool initGL();

void drawLine(float x0, float y0, float x1, float y1, Color const& color, bool bMoveView);
void drawLine(Point const& p1, Point const& p2, Color const& color, bool bMoveView);
// For callers with work to do before a line through the camera: true when the line cannot
// reach the screen, after leaving what drawing it would have left (the plain colour).
bool skipOffScreenLine(Point const& p1, Point const& p2);
void drawPixel(float x, float y, Uint8 r, Uint8 g, Uint8 b, bool bMoveView);
void drawPixel(float x, float y, Color const& color, bool bMoveView);
// The shorter forms draw through the camera.
void drawPixel(Point const& p, Color const& color);
void drawPixel(Point const& p, std::string const& s);
void drawLine(Point const& p1, Point const& p2, std::string const& colorString);
void drawLine(float x0, float y0, float x1, float y1, std::string const& s);
// Two crossing lines through the camera.
void drawX(float x, float y, Color const& color, float size);

// Drawing on SDL's screen surface, from before the game drew with OpenGL.
void showBMP(char* file, int x, int y);
void screenLock();
void screenUnlock();
void clearScreen(Color color);
