#include "lockdown/Particle.h"

#include <cstdlib>

#include "lockdown/Camera.h"
#include "lockdown/Random.h"
#include "lockdown/Screen.h"
#include "lockdown/Sprite.h"

namespace lockdown {
namespace {
float TowardZero(float v, float by) {
  if (v > 0) return v > by ? v - by : 0;
  if (v < 0) return v < -by ? v + by : 0;
  return 0;
}
}  // namespace

void Particle::Init(float px, float py, float vx, float vy, int c, int frames, float f, double r) {
  x = px;
  y = py;
  xVel = vx;
  yVel = vy;
  colour = c;
  life = frames;
  friction = f;
  radius = r;
  size = 0;
}

bool Particle::Advance() {
  x += xVel;
  y += yVel;
  xVel = TowardZero(xVel, friction);
  yVel = TowardZero(yVel, friction);
  size += growth;
  if (life > 0) {
    --life;
    return true;
  }
  if (life == 0) return false;
  radius -= 0.05;
  // Faded away.
  return radius >= 0;
}

bool Particle::Update() {
  if (!Advance()) return false;
  Draw();
  return true;
}

void Particle::Draw() {
  if (x < 0 || x >= 800 || y < 0 || y >= 600) return;
  int px = static_cast<int>(x), py = static_cast<int>(y), r = static_cast<int>(radius);
  if (r <= 0) {
    bool bWasLocked = lockedBuffer != nullptr;
    LockBackBuffer();
    PlotPixel(px, py, colour, lockedBuffer, lockedPitch);
    if (!bWasLocked) UnlockBackBuffer();
  } else {
    FillRectOnSurface(px - r, py - r, px + r, py + r, colour, backBuffer);
  }
}

bool DebrisPiece::Update() {
  heading += turn;
  return Particle::Update();
}

void DebrisPiece::Draw() {
  if (!sprite) return;
  sprite->frame = frame;
  sprite->angle = static_cast<float>(heading);
  sprite->x = static_cast<int>(x) - sprite->Width() / 2;
  sprite->y = static_cast<int>(y) - sprite->Height() / 2;
  camera.DrawSprite(*sprite);
  sprite->angle = 0;
}

void ParticleBurst::Start(int px, int py) {
  particles.clear();
  if (colours.empty()) colours = {249, 251, 255};
  x = px;
  y = py;
  for (int i = 0; i < count; ++i) {
    // A spread of 0 throws every particle straight from the point.
    float vx =
        spread > 0 ? static_cast<float>(std::rand() % spread - spread / 2 + RandomFraction()) : 0;
    float vy =
        spread > 0 ? static_cast<float>(std::rand() % spread - spread / 2 + RandomFraction()) : 0;
    Particle p;
    p.Init(static_cast<float>(px), static_cast<float>(py), vx, vy,
           colours[RandomRange(0, static_cast<int>(colours.size()) - 1)]);
    particles.push_back(p);
  }
  bActive = true;
}

void ParticleBurst::Update() {
  // Burst positions are level coordinates: they are drawn through the camera by Draw.
  std::vector<Particle> alive;
  for (Particle& p : particles)
    if (p.Advance()) alive.push_back(p);
  particles.swap(alive);
}

void ParticleBurst::Draw() {
  for (Particle& p : particles) camera.DrawParticle(p);
}

}  // namespace lockdown
