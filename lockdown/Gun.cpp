#include "lockdown/Gun.h"

#include <cstdlib>

#include "lockdown/Bullet.h"
#include "lockdown/Headings.h"
#include "lockdown/Object.h"
#include "lockdown/Screen.h"

namespace lockdown {

Gun::Gun() { SetBarrel(1, 7); }

void Gun::SetBarrel(int halfWidth, int halfLength) {
  barrel.Clear();
  barrel.AddVertex(static_cast<float>(-halfWidth), static_cast<float>(-halfLength));
  barrel.AddVertex(static_cast<float>(halfWidth), static_cast<float>(-halfLength));
  barrel.AddVertex(static_cast<float>(halfWidth), static_cast<float>(halfLength));
  barrel.AddVertex(static_cast<float>(-halfWidth), static_cast<float>(halfLength));
}

void Gun::PrepareBarrel() {
  barrel.x0 = x;
  barrel.y0 = y;
  barrel.heading = heading;
}

void Gun::Update() {
  desired = 0;
  diffToTarget = 0;
  if (bAim) Turn();
  if (bFire) Fire();
}

void Gun::Turn() {
  desired = HeadingTo(x, y, targetX, targetY);
  diffToTarget = AngleDifference(heading, desired);
  diffCw = AngleDifference(desired, arcCw);
  diffCcw = AngleDifference(desired, arcCcw);
  auto towardNearerLimit = [&] {
    if (std::abs(diffCw) < std::abs(diffCcw))
      heading += turnStep;
    else if (std::abs(diffCcw) < std::abs(diffCw))
      heading -= turnStep;
  };
  if (TurnsClockwise(desired, heading)) {
    if (HasArc() && !TurnsCounterclockwise(desired, arcCw)) {
      towardNearerLimit();
    } else {
      heading += turnStep;
      if (!TurnsClockwise(desired, heading)) heading = desired;
    }
  } else if (TurnsCounterclockwise(desired, heading)) {
    if (HasArc() && !TurnsClockwise(desired, arcCcw)) {
      towardNearerLimit();
    } else {
      heading -= turnStep;
      if (!TurnsCounterclockwise(desired, heading)) heading = desired;
    }
  }
  heading = NormalizeAngle(heading);
  if (HasArc()) {
    int beyondCw = AngleDifference(heading, arcCw), beyondCcw = AngleDifference(heading, arcCcw);
    if (beyondCw > 0 && beyondCw < 45)
      heading = arcCw;
    else if (beyondCcw < 0 && beyondCcw > -45)
      heading = arcCcw;
  }
}

void Gun::Fire() {
  if (--fireCountdown > 0) return;
  fireCountdown = fireDelay;
  PrepareBarrel();
  VertexPolygon shape;
  shape.x0 = x;
  shape.y0 = y;
  shape.vertices = barrel.vertices;
  RotatePolygon(shape, heading);
  int x1 = static_cast<int>(shape.vertices[0].x + x),
      y1 = static_cast<int>(shape.vertices[0].y + y);
  int x2 = static_cast<int>(shape.vertices[1].x + x),
      y2 = static_cast<int>(shape.vertices[1].y + y);
  int mx = (x1 + x2) / 2, my = (y1 + y2) / 2;
  int aimX = static_cast<int>(mx + 1000 * SinOf(heading)),
      aimY = static_cast<int>(my - 1000 * CosOf(heading));
  Bullet* bullet = new Bullet(mx, my, aimX, aimY, bulletColor, bulletDamage, bulletSpeed, 3);
  bullet->ownerType = HasArc() ? kTurret : kZizuzu;
  // The shot flies in the frame it was fired, from where the shooter has got to.
  objectList.Prepend(bullet);
  bullet->bUpdated = true;
  bullet->Update();
}

}  // namespace lockdown
