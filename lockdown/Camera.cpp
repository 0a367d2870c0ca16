#include "lockdown/Camera.h"

#include "lockdown/Gun.h"
#include "lockdown/Keys.h"
#include "lockdown/Messages.h"
#include "lockdown/Particle.h"
#include "lockdown/Screen.h"
#include "lockdown/Sprite.h"
#include "lockdown/platform/VirtualKeys.h"

namespace lockdown {

Camera camera;

Camera::Camera() : view(0, 800, 0, 600) {}

void Camera::EdgeScrollX(int x) {
  if (x - view.left < margin)
    view.Offset(-scrollStep, 0);
  else if (view.right - x < margin)
    view.Offset(scrollStep, 0);
}

void Camera::EdgeScrollY(int y) {
  if (y - view.top < margin)
    view.Offset(0, -scrollStep);
  else if (view.bottom - y < margin)
    view.Offset(0, scrollStep);
}

void Camera::Follow(int x, int y) {
  switch (followMode) {
    case 0:
      view.CenterAt(x, y);
      break;
    case 1:
      EdgeScrollY(y);
      EdgeScrollX(x);
      break;
    case 2:
      if (keyCounters[VK_RIGHT] % 3 == 1 && xMode < 2) ++xMode;
      if (keyCounters[VK_LEFT] % 3 == 1 && xMode > 0) --xMode;
      if (keyCounters[VK_DOWN] % 3 == 1 && yMode < 2) ++yMode;
      if (keyCounters[VK_UP] % 3 == 1 && yMode > 0) --yMode;
      if (xMode == 0)
        view.Offset((x - view.right) / 30, 0);
      else if (xMode == 2)
        view.Offset((x - view.left) / 30, 0);
      else
        EdgeScrollX(x);
      if (yMode == 0)
        view.Offset(0, (y - view.bottom) / 30);
      else if (yMode == 2)
        view.Offset(0, (y - view.top) / 30);
      else
        EdgeScrollY(y);
      break;
    default:
      break;
  }
  KeepInLevel();
}

void Camera::KeepInView(int x, int y) {
  if (x < view.left)
    view.Offset(x - view.left, 0);
  else if (x >= view.right)
    view.Offset(x - view.right + 1, 0);
  if (y < view.top)
    view.Offset(0, y - view.top);
  else if (y >= view.bottom)
    view.Offset(0, y - view.bottom + 1);
  KeepInLevel();
}

void Camera::KeepInLevel() {
  if (view.left < 0) view.MoveLeftTo(0);
  if (view.top < 0) view.MoveTopTo(0);
  if (view.right > levelWidth) view.MoveRightTo(levelWidth);
  if (view.bottom > levelHeight) view.MoveBottomTo(levelHeight);
}

void Camera::DrawSprite(Sprite& sprite) const {
  sprite.x -= view.left;
  sprite.y -= view.top;
  sprite.Draw();
}

void Camera::FillRect(Rect& rect) const {
  rect.Offset(-view.left, -view.top);
  rect.Fill();
  rect.Offset(view.left, view.top);
}

void Camera::DrawParticle(Particle& particle) const {
  particle.x -= view.left;
  particle.y -= view.top;
  particle.Draw();
  particle.x = static_cast<float>(static_cast<int>(particle.x + view.left));
  particle.y = static_cast<float>(static_cast<int>(particle.y + view.top));
}

void Camera::DrawGun(Gun& gun) const {
  if (gun.x < view.left || gun.x > view.right) return;
  gun.PrepareBarrel();
  gun.barrel.x0 = gun.x - view.left;
  gun.barrel.y0 = gun.y - view.top;
  gun.barrel.Draw();
  gun.PrepareBarrel();
}

void PlotPixelInView(int x, int y, int colour) {
  if (x < camera.view.left || y < camera.view.top) return;
  LockBackBuffer();
  PlotPixel(x - camera.view.left, y - camera.view.top, colour, lockedBuffer, lockedPitch);
  UnlockBackBuffer();
}

void DrawLine(int x1, int y1, int x2, int y2, int colour) {
  bool bWasLocked = lockedBuffer != nullptr;
  LockBackBuffer();
  if (x1 == x2)
    DrawVLine(y1, y2, x1, colour, lockedBuffer, lockedPitch);
  else if (y1 == y2)
    DrawHLine(x1, x2, y1, colour, lockedBuffer, lockedPitch);
  else
    DrawLine8(x1, y1, x2, y2, colour, lockedBuffer, lockedPitch);
  if (!bWasLocked) UnlockBackBuffer();
}

void DrawText(int x, int y, const char* text, int colour) {
  DrawTextGdi(text, x, y, colour, backBuffer);
}

void DrawCenteredText(const char* text, int colour) {
  DrawText(400 - MeasureText(text) / 2, 390, text, colour);
}

}  // namespace lockdown
