// Explosion pieces: particles that drift, slow down and fade, debris pieces cut from a
// sprite that tumble, and the burst that throws a set of particles from one point.
#pragma once

#include <vector>

namespace lockdown {

class Sprite;

class Particle {
 public:
  virtual ~Particle() = default;
  void Init(float px, float py, float vx, float vy, int colour, int life = -1, float friction = 0,
            double radius = 0);
  // Moves, slows and ages the particle; false once it has died.
  bool Advance();
  // Advance, then draw while alive.
  virtual bool Update();
  // Screen coordinates.
  virtual void Draw();

  float x = 0, y = 0;
  float xVel = 0, yVel = 0;
  float size = 0, growth = 0.5f;
  float friction = 0;
  double radius = 0;
  int colour = 255;
  int life = -1;  // frames left; -1 lives until faded
};

class DebrisPiece : public Particle {
 public:
  bool Update() override;
  // Level coordinates: drawn through the camera.
  void Draw() override;

  Sprite* sprite = nullptr;
  int frame = 0;
  int heading = 0;
  int turn = 0;
};

class ParticleBurst {
 public:
  void Start(int px, int py);
  void Update();
  void Draw();

  std::vector<Particle> particles;
  int x = 0, y = 0;
  int count = 20;
  int spread = 10;
  std::vector<int> colours;
  bool bActive = false;
};

}  // namespace lockdown
