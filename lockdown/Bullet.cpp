#include "lockdown/Bullet.h"

#include <cstdlib>
#include <cstring>

#include "lockdown/Camera.h"
#include "lockdown/Game.h"
#include "lockdown/HitScan.h"
#include "lockdown/Log.h"
#include "lockdown/World.h"

namespace lockdown {

Bullet* hittingBullet = nullptr;

Bullet::Bullet(double startX, double startY, int targetX, int targetY, int color, int dmg, int spd,
               int sz)
    : damage(dmg),
      x(static_cast<float>(startX)),
      y(static_cast<float>(startY)),
      speed(spd),
      size(sz) {
  objectType = kBullet;
  rect.color = color;
  int ddx = static_cast<int>(targetX - x), ddy = static_cast<int>(targetY - y);
  dx = std::abs(ddx);
  dy = std::abs(ddy);
  stepX = ddx >= 0 ? 1 : -1;
  stepY = ddy >= 0 ? 1 : -1;
  twoDx = 2 * dx;
  twoDy = 2 * dy;
  error = dx > dy ? twoDy - dx : twoDx - dy;
}

void Bullet::Step() {
  for (int i = 0; i <= speed; ++i) {
    if (dx > dy) {
      if (error >= 0) {
        error -= twoDx;
        y += stepY;
      }
      error += twoDy;
      x += stepX;
    } else {
      if (error >= 0) {
        error -= twoDy;
        x += stepX;
      }
      error += twoDx;
      y += stepY;
    }
  }
}

void Bullet::Update() {
  int fromX = static_cast<int>(x), fromY = static_cast<int>(y);
  Step();
  if (hitScan.Start(fromX, fromY, static_cast<int>(x), static_cast<int>(y), true, false, true, true,
                    8)) {
    Object* target = hitScan.result;
    hittingBullet = this;
    if (target->objectType == kZizuzu && ownerType == kZizuzu)
      LogMessage("Error: Zizuzu hit by its own bullet");
    target->Set("TakeHit", damage);
    hittingBullet = nullptr;
    DestroyObject(this);
    return;
  }
  if (x < -10 || x > game.levelWidth + 10 || y < -10 || y > game.levelHeight + 10)
    DestroyObject(this);
}

void Bullet::Draw() {
  int left = static_cast<int>(x), top = static_cast<int>(y);
  rect.Set(left, top, left + size, top + size);
  camera.FillRect(rect);
}

double Bullet::Get(const char* name) {
  if (!std::strcmp(name, "color")) return rect.color;
  if (!std::strcmp(name, "x")) return x;
  if (!std::strcmp(name, "y")) return y;
  if (!std::strcmp(name, "right")) return stepX == 1 ? 1 : 0;
  return Object::Get(name);
}

void Bullet::Set(const char* name, double value) { Object::Set(name, value); }

void Bullet::CollideTest(Object* other) {
  if (ObjectBox(other).Contains(static_cast<int>(x), static_cast<int>(y))) DestroyObject(this);
}

void Bullet::Destroy() { delete this; }

}  // namespace lockdown
