// The one camera: the visible part of the level, and the only way world objects draw.
// Every helper takes level coordinates and subtracts the view's top-left.
#pragma once

#include "lockdown/Rect.h"

namespace lockdown {

class Sprite;
class Particle;
class Gun;

class Camera {
 public:
  Camera();
  // Moves the view toward the point by the follow mode, then keeps it in the level.
  void Follow(int x, int y);
  // Holds the view still while the point lies in it; a point that has left it pulls the
  // view just far enough to be on its edge again. Then keeps the view in the level.
  void KeepInView(int x, int y);
  // Leaves the shifted position in the sprite: callers set it before every draw.
  void DrawSprite(Sprite& sprite) const;
  void FillRect(Rect& rect) const;
  void DrawParticle(Particle& particle) const;
  // The barrel at the gun's pivot, when the pivot lies within the view's width.
  void DrawGun(Gun& gun) const;

  Rect view;
  int levelWidth = 800, levelHeight = 600;
  int xMode = 1, yMode = 1;
  int spare0 = 0, spare1 = 0;
  int scrollStep = 5;
  int margin = 250;
  int followMode = 0;  // 0 centre, 1 edge scrolling, 2 per axis

 private:
  void EdgeScrollX(int x);
  void EdgeScrollY(int y);
  void KeepInLevel();
};

extern Camera camera;

// Level coordinates; nothing above or left of the view's top-left is plotted.
void PlotPixelInView(int x, int y, int colour);
// Screen coordinates, on the back buffer.
void DrawLine(int x1, int y1, int x2, int y2, int colour);
void DrawText(int x, int y, const char* text, int colour);
void DrawCenteredText(const char* text, int colour = 255);

}  // namespace lockdown
