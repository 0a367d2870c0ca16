// A shot: a small square flying in a straight line, one Bresenham step per pixel,
// damaging the first object in its way.
#pragma once

#include "lockdown/Object.h"
#include "lockdown/Rect.h"

namespace lockdown {

class Bullet : public Collidable {
 public:
  Bullet(double startX, double startY, int targetX, int targetY, int color, int damage, int speed,
         int size);
  void Update() override;
  void Draw() override;
  double Get(const char* name) override;
  void Set(const char* name, double value) override;
  void CollideTest(Object* other) override;
  void Destroy() override;
  void Step();

  Rect rect;
  int damage;
  float x, y;
  int speed;
  int size;
  int dx, dy, twoDx, twoDy, stepX, stepY, error;
  int ownerType = -1;
};

// The bullet whose hit is being dealt, readable by its target while it takes the hit.
extern Bullet* hittingBullet;

}  // namespace lockdown
