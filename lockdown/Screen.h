// The screen layer: the 800 by 600 8-bit back buffer with its palette, surfaces for
// sprite frames, fills, drawing straight into the locked back buffer (pixels, clipped
// lines, spans, polygons), text, the flip, the mouse state and the sine tables.
// Everything here runs on the game thread.
#pragma once

#include <cstdint>
#include <vector>

#include "lockdown/platform/Backend.h"
#include "lockdown/platform/Palette.h"
#include "lockdown/platform/Surface.h"

namespace lockdown {

using platform::PaletteEntry;
using platform::PaletteTable;
using platform::PixelRect;
using platform::Surface;

extern int screenWidth, screenHeight, screenBpp;
extern bool bWindowed;
extern Surface* backBuffer;

// Clip rectangle of the locked drawing, edges inclusive.
struct ClipRect {
  int minX = 0, minY = 0, maxX = 799, maxY = 599;
};
extern ClipRect clipRect;

// The palette, also the colour table of text.
extern PaletteTable paletteTable;

// The locked back buffer: null when unlocked.
extern uint8_t* lockedBuffer;
extern int lockedPitch;

extern uint32_t frameClock;
extern platform::MouseState mouseState;

// Sine and cosine by whole degree; the lookups wrap any angle into 0 to 359.
extern double sinTable[360], cosTable[360];
double SinOf(int degrees);
double CosOf(int degrees);
void BuildTrigTables();

// Frames of one sprite as surfaces, all of one size, with the colour key set.
constexpr int kMaxSurfaceFrames = 64;
struct SurfaceSprite {
  int x = 0, y = 0, width = 0, height = 0;
  int padding = 0;  // so that width plus padding is a multiple of 8
  int attributes = 0;
  int currentFrame = 0;
  int frameCount = 0;
  std::vector<Surface> frames;
};

// A shape drawn into the locked buffer; vertices relative to (x0, y0).
struct PolygonPoint {
  float x = 0, y = 0;
};
struct VertexPolygon {
  int state = 0;  // 0: not drawn
  int x0 = 0, y0 = 0;
  int colour = 0;
  std::vector<PolygonPoint> vertices;
};

// Sets up the back buffer, the palette (from "PALDATA2.PAL") and the clip rectangle.
bool DDrawInit(int width, int height, int bpp, bool bWindowedMode);
void DDrawShutdown();

bool CreateSurfaceSprite(SurfaceSprite& sprite, int x, int y, int width, int height, int frameCount,
                         int attributes, int memoryFlags, int colourKey);
// -2 for a null sprite or a current frame that does not exist.
int DrawSurfaceSprite(SurfaceSprite* sprite, Surface* target);

bool FlipScreen();
void FillSurface(Surface* surface, int colour, const PixelRect* rect);
void FillRectOnSurface(int left, int top, int right, int bottom, int colour, Surface* surface);

void LockBackBuffer();
void UnlockBackBuffer();
uint32_t StartClock();

void PlotPixel(int x, int y, int colour, uint8_t* buffer, int pitch);
void DrawLine8(int x0, int y0, int x1, int y1, int colour, uint8_t* buffer, int pitch);
void DrawHLine(int x0, int x1, int y, int colour, uint8_t* buffer, int pitch);
void DrawVLine(int y0, int y1, int x, int colour, uint8_t* buffer, int pitch);
void RotatePolygon(VertexPolygon& polygon, int degrees);
void DrawPolygon8(const VertexPolygon& polygon, uint8_t* buffer, int pitch);
void FillPolygon8(const VertexPolygon& polygon, uint8_t* buffer, int pitch);

bool LoadPaletteFile(const char* name, PaletteTable& table);
void SetPalette(const PaletteTable& table);
void DrawTextGdi(const char* text, int x, int y, int colour, Surface* surface);

void ReadMouse();

}  // namespace lockdown
