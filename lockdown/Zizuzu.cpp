#include "lockdown/Zizuzu.h"

#include <cstdlib>
#include <cstring>
#include <istream>
#include <ostream>

#include "lockdown/Camera.h"
#include "lockdown/Game.h"
#include "lockdown/Headings.h"
#include "lockdown/Input.h"
#include "lockdown/Random.h"
#include "lockdown/Tile.h"
#include "lockdown/World.h"
#include "lockdown/WorldSprites.h"

namespace lockdown {

int flashIndex = -1;
int flashCounter = 0;

void StartFlash() {
  flashIndex = 0;
  flashCounter = 0;
}

void StepFlash(int frameLength) {
  if (flashIndex < 0) return;
  if (++flashCounter < frameLength) return;
  flashCounter = 0;
  if (++flashIndex >= std::max(1, worldSprites.flash.frameCount)) flashIndex = -1;
}

Zizuzu::Zizuzu() {
  objectType = kZizuzu;
  mover.Init(0, 0, 4.0, 160, kWidth, kWidth, true);
  targeter.user = this;
}

void Zizuzu::PlaceAt(int x, int y) {
  mover.Init(x, y, 4.0, 160, kWidth, kWidth, true);
  targeter.mover.SetPosition(x, y);
  gun.x = x;
  gun.y = y;
}

void Zizuzu::Load(std::istream& in) {
  lives = startLives;
  int x = ReadCoordinate(in), y = ReadCoordinate(in);
  PlaceAt(x, y);
  startX = x;
  startY = y;
  input.SetPosition(x, y);
  Init();
  Register();
}

void Zizuzu::Init() {
  bInitialized = true;
  if (!collidableList.Contains(this)) collidableList.Append(this);
  bOverride = bOverrideEngaged = false;
}

void Zizuzu::Register() {
  if (game.zizuzu && game.zizuzu != this) DestroyObject(game.zizuzu);
  game.zizuzu = this;
}

void Zizuzu::Unregister() {
  if (game.zizuzu == this) game.zizuzu = nullptr;
}

void Zizuzu::Update() {
  if (health < 1 && !bDead) Die();
  if (bDead) {
    if (dyingFrames > 0 && --dyingFrames == 0 && lives > 0) {
      bDead = false;
      health = 3;
      invulnerableFrames = 60;
    }
  } else {
    Control();
  }
  std::vector<Particle> alive;
  for (Particle& p : particles)
    if (p.Advance()) alive.push_back(p);
  particles.swap(alive);
  std::vector<DebrisPiece> pieces;
  for (DebrisPiece& d : debris) {
    d.heading += d.turn;
    if (d.Advance()) pieces.push_back(d);
  }
  debris.swap(pieces);
}

void Zizuzu::Control() {
  game.computer.Update();
  bOverride = game.computer.bTerminalChosen;
  bOverrideEngaged = game.computer.bManualControl;
  if (bOverride) {
    gun.heading = NormalizeAngle(gun.heading + 5);
    StepFlash(flashFrameLength);
    return;
  }
  targeter.Update();
  bAimEnabled = targeter.HasTarget();
  bFiring = input.LeftDown() && invulnerableFrames <= 0;
  gun.bAim = bAimEnabled;
  gun.bFire = bFiring;
  gun.x = static_cast<int>(mover.x);
  gun.y = static_cast<int>(mover.y);
  if (!bAimEnabled) {
    gun.heading = NormalizeAngle(gun.heading + 5);
  } else {
    gun.targetX = targeter.lastTargetX;
    gun.targetY = targeter.lastTargetY;
  }
  gun.Update();
  if (input.x != static_cast<int>(mover.x) || input.y != static_cast<int>(mover.y)) {
    mover.SetTarget(input.x, input.y);
    mover.speed = 12.0;
  }
  mover.Step();
  if (mover.speed < 0.25)
    mover.speed = 0;
  else
    mover.speed -= 0.25;
  StepFlash(flashFrameLength);
}

void Zizuzu::TakeHit(double damage) {
  if (invulnerableFrames <= 0) health -= static_cast<int>(damage);
  StartFlash();
}

void Zizuzu::Die() {
  bDead = true;
  dyingFrames = 60;
  --lives;
  double cx = mover.x, cy = mover.y;
  static const int kDirections[5][2] = {{-1, -1}, {-1, 1}, {0, -1}, {1, -1}, {1, 1}};
  debris.clear();
  for (int i = 0; i < 5; ++i) {
    DebrisPiece piece;
    float push = static_cast<float>(RandomFraction() * particleSpread / 2);
    piece.Init(static_cast<float>(cx), static_cast<float>(cy), kDirections[i][0] * push,
               kDirections[i][1] * push, 255, 60, 0.1f);
    piece.sprite = &worldSprites.debris;
    piece.frame = i;
    piece.heading = RandomRange(0, 359);
    piece.turn = RandomRange(-179, 179);
    debris.push_back(piece);
  }
  particles.clear();
  static const int kColours[] = {249, 251, 255};
  for (int i = 0; i < particleCount; ++i) {
    Particle p;
    float vx =
        static_cast<float>(std::rand() % particleSpread - particleSpread / 2 + RandomFraction());
    float vy =
        static_cast<float>(std::rand() % particleSpread - particleSpread / 2 + RandomFraction());
    // Each particle fades over about forty frames.
    p.Init(static_cast<float>(cx), static_cast<float>(cy), vx, vy, kColours[RandomRange(0, 2)], -1,
           0.2f, 2.0);
    particles.push_back(p);
  }
}

void Zizuzu::Draw() {
  for (Particle& p : particles) camera.DrawParticle(p);
  for (DebrisPiece& d : debris) d.Draw();
  if (bDead) return;
  if (invulnerableFrames > 0) {
    --invulnerableFrames;
    if (invulnerableFrames % 2) return;
  }
  if (!game.bEditing) {
    gun.x = static_cast<int>(mover.x);
    gun.y = static_cast<int>(mover.y);
    gun.PrepareBarrel();
    camera.DrawGun(gun);
  }
  Sprite& s = worldSprites.zizuzu;
  s.frame = 0;
  s.x = mover.left;
  s.y = mover.top;
  camera.DrawSprite(s);
  if (flashIndex >= 0) {
    Sprite& f = worldSprites.flash;
    f.frame = flashIndex;
    f.angle = static_cast<float>(RandomRange(0, 359));
    f.x = mover.left;
    f.y = mover.top;
    camera.DrawSprite(f);
    f.angle = 0;
  }
  if (!game.bEditing) targeter.Draw();
}

double Zizuzu::Get(const char* name) {
  if (!std::strcmp(name, "health")) return health;
  if (!std::strcmp(name, "bDead")) return bDead;
  if (!std::strcmp(name, "IsActive")) return health > 0;
  if (!std::strcmp(name, "width")) return kWidth;
  // What play asks of the zizuzu to decide whether the game goes on.
  if (!std::strcmp(name, "lives")) return lives;
  if (!std::strcmp(name, "dyingFrames")) return dyingFrames;
  return Solid::Get(name);
}

void Zizuzu::Set(const char* name, double value) {
  if (!std::strcmp(name, "health"))
    health = static_cast<int>(value);
  else if (!std::strcmp(name, "TakeHit"))
    TakeHit(value);
  else
    Solid::Set(name, value);
}

bool Zizuzu::Place() {
  PlaceAt(input.x, input.y);
  Register();
  return true;
}

void Zizuzu::SetToMouse() { PlaceAt(input.x, input.y); }

void Zizuzu::Save(std::ostream& out) {
  // Whole pixels, so that the record reads back as the two integers it is read as.
  out << static_cast<int>(mover.x) << " " << static_cast<int>(mover.y);
}

}  // namespace lockdown
