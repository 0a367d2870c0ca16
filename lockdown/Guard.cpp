#include "lockdown/Guard.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <istream>
#include <ostream>

#include "lockdown/Bullet.h"
#include "lockdown/Camera.h"
#include "lockdown/Game.h"
#include "lockdown/Input.h"
#include "lockdown/Mover.h"
#include "lockdown/Tile.h"
#include "lockdown/World.h"
#include "lockdown/WorldSprites.h"

namespace lockdown {

int guardDyingCounter = 0;
int guardWalkingCounter = 0;

Guard::Guard() : bRight((std::rand() & 1) != 0) {
  objectType = kGuardZero;
  xVel = yVel = elasticity = 0;
  drawLayer = 1;
  rect.Set(0, -88, 17, 0);
  lastRect = rect;
  Reset();
  StopWalking();
}

void Guard::Reset() {
  shotDelay = 5;
  health = 1;
  probeDistance = 200;
  sawFlyReset = 500;
  sightAhead = 770;
  sightBehind = 70;
  sightVertical = 570;
  walkSpeed = 4;
  walkWidth = 52;
  dyingWidth = 86;
  deadWidth = 75;
  bulletColor = 10;
  bulletDamage = 1;
  dyingElasticity = 0;
  standWidth = 17;
  standHeight = 88;
  fireHeight = 101;
  deadHeight = 21;
  probeOffsetX = 29;
  probeOffsetY = 17;
  dyingDrop = -5;
  StandPose();
  if (rect.Width() != standWidth) rect.Set(0, -88, 17, 0);
  activeLayers.Resize(0);
  activeLayers.Resize(3);
  activeLayers.At(2) = 1;
  ShowVariantLayer();
  AdjustVariant();
}

void Guard::Load(std::istream& in) {
  int left = ReadCoordinate(in), bottom = ReadCoordinate(in), flag = 0;
  in >> flag;
  rect.Set(left, bottom - standHeight, left + standWidth, bottom);
  lastRect = rect;
  bRight = flag != 0;
  Init();
}

void Guard::Init() {
  Reset();
  StandPose();
  if (!enemyList.Contains(this)) enemyList.Append(this);
  if (!collidableList.Contains(this)) collidableList.Append(this);
}

void Guard::Unregister() { enemyList.Remove(this); }

Rect Guard::Reach() {
  Rect reach = rect;
  int low = std::min(lastRect.bottom, rect.bottom);
  if (low < reach.top) reach.top = low;
  return reach;
}

void Guard::SetWidthAboutCentre(int width) {
  int cx = rect.CenterX();
  rect.left = cx - width / 2;
  rect.right = cx + width / 2;
}

void Guard::Update() {
  if (rect.left < -400 || rect.left > game.levelWidth + 400) return;
  bGoingUp = true;
  ApplyVelocity();
  if (health < 1 && state != kDying && state != kDead) StartDying();
  if (state != kDying && state != kDead) Think();
  if (!IsWalking()) {
    if (static_cast<int>(xVel) == 0)
      xVel = 0;
    else
      xVel += xVel > 0 ? -0.25 : 0.25;
  }
  yVel += 0.5;
  Animate();
}

void Guard::Think() {
  if (bRight)
    sightRect.Set(rect.left - sightBehind, rect.top - sightVertical, rect.right + sightAhead,
                  rect.bottom + sightVertical);
  else
    sightRect.Set(rect.left - sightAhead, rect.top - sightVertical, rect.right + sightBehind,
                  rect.bottom + sightVertical);
  if (shotTimer > 0)
    --shotTimer;
  else
    state &= ~kFiring;
  bSeesZizuzu = CanSeeZizuzu(rect.CenterX(), rect.CenterY() - 20, sightRect);
  if (!bSeesZizuzu) {
    StopWalking();
  } else {
    sawFlyTimer = sawFlyReset;
    flyX = static_cast<int>(game.zizuzu->Get("x"));
    flyY = static_cast<int>(game.zizuzu->Get("y"));
    if (rect.CenterX() < flyX)
      bRight = true;
    else if (rect.CenterX() > flyX)
      bRight = false;
    Aim();
    if (shotTimer < 1) Shoot();
    DecideWalk();
  }
  if (IsWalking())
    WalkingPose();
  else
    StandPose();
}

void Guard::Aim() {
  int dx = flyX - rect.CenterX(), dy = flyY - rect.top - 36;
  if (dx == 0) {
    aimAngle = dy < 0 ? 90 : 270;
    return;
  }
  int a = static_cast<int>(
      std::atan(std::fabs(static_cast<double>(dy)) / std::fabs(static_cast<double>(dx))) * 180 /
      3.14159);
  if (dx > 0 && dy <= 0)
    aimAngle = a;
  else if (dx < 0 && dy < 0)
    aimAngle = 180 - a;
  else if (dx < 0)
    aimAngle = 180 + a;
  else
    aimAngle = 360 - a;
}

void Guard::Shoot() {
  state |= kFiring;
  rect.top = rect.bottom - fireHeight;
  lastRect.top = rect.top;
  shotTimer = shotDelay;
  if (Object* bullet = FireOneBullet()) objectList.Prepend(bullet);
}

Object* Guard::FireOneBullet() {
  if (flyX >= rect.left - 40 && flyX < rect.right + 40 && flyY >= rect.top && flyY < rect.bottom)
    return nullptr;
  int L = rect.left, R = rect.right, T = rect.top, mx, my;
  if (aimAngle < 22) {
    mx = L + 58;
    my = T + 30;
  } else if (aimAngle <= 66) {
    mx = L + 44;
    my = T + 9;
  } else if (aimAngle <= 111) {
    mx = bRight ? L + 26 : R - 27;
    my = T;
  } else if (aimAngle <= 156) {
    mx = R - 44;
    my = T + 9;
  } else if (aimAngle <= 201) {
    mx = R - 59;
    my = T + 31;
  } else if (aimAngle <= 246) {
    mx = R - 46;
    my = T + 61;
  } else if (aimAngle <= 291) {
    mx = bRight ? R : L;
    my = T + 73;
  } else {
    mx = L + 46;
    my = T + 61;
  }
  if (IsWalking()) mx += bRight ? 30 : -30;
  Bullet* bullet = new Bullet(mx, my, flyX, flyY, bulletColor, bulletDamage, 10, 3);
  bullet->ownerType = objectType;
  return bullet;
}

void Guard::DecideWalk() {
  if (std::abs(flyX - rect.CenterX()) < 150) {
    StopWalking();
    return;
  }
  bool bFree = IsSpaceFree(rect, static_cast<int>(xVel));
  int cx = rect.CenterX(), cy = rect.CenterY();
  Mover probe(rect.left + probeOffsetX, rect.top + probeOffsetY, cx + (bRight ? 100 : -100),
              cy + probeDistance);
  bool bFloor = !TraceRay(probe, true);
  if (bFree && bFloor)
    state |= kWalking;
  else
    StopWalking();
}

void Guard::StopWalking() {
  if (!(state & kWalking)) return;
  int cx = rect.CenterX();
  if (bRight)
    rect.Set(cx, rect.top, cx + standWidth, rect.bottom);
  else
    rect.Set(cx - standWidth, rect.top, cx, rect.bottom);
  state &= ~kWalking;
}

void Guard::WalkingPose() {
  bool bFiring = IsFiring();
  xVel = bRight ? walkSpeed : -walkSpeed;
  gunOffsetX = bFiring ? (bRight ? 23 : -20) : (bRight ? 28 : 10);
  legsOffsetY = bFiring ? 58 : 47;
  rect.top = rect.bottom - (bFiring ? 100 : 89);
  SetWidthAboutCentre(walkWidth);
}

void Guard::StandPose() {
  bool bFiring = IsFiring();
  gunOffsetX = bFiring ? (bRight ? -7 : -41) : (bRight ? -3 : -7);
  legsOffsetY = bFiring ? 59 : 47;
  rect.top = rect.bottom - (bFiring ? 100 : standHeight);
}

void Guard::StartDying() {
  state = kDying;
  elasticity = dyingElasticity;
  SetWidthAboutCentre(dyingWidth);
  rect.top += dyingDrop;
  lastRect.top += dyingDrop;
  deathFrame = bRight ? 0 : worldSprites.dying.frameCount / 2;
}

void Guard::BecomeDead() {
  rect.top = rect.bottom - deadHeight;
  lastRect.top = rect.top;
  deathFrame = 0;
  state = kDead;
  rect.bottom -= 1;
  gunOffsetX = -4;
  SetWidthAboutCentre(deadWidth);
}

void Guard::Animate() {
  if (state == kDying) {
    int count = worldSprites.dying.frameCount;
    int end = bRight ? count / 2 - 1 : count - 1;
    if (deathFrame >= end) {
      BecomeDead();
      return;
    }
    if (++guardDyingCounter > animDelay) {
      guardDyingCounter = 0;
      ++deathFrame;
    }
    return;
  }
  if (state == kDead) return;
  UpdateFrames();
}

void Guard::UpdateFrames() {
  int legs = worldSprites.walkLegs.frameCount, half = legs / 2;
  if (!IsWalking()) {
    legsFrame = bRight ? 0 : 1;
  } else if (++guardWalkingCounter > animDelay) {
    guardWalkingCounter = 0;
    if (bRight)
      legsFrame = legsFrame >= half - 1 || legsFrame < 0 ? 0 : legsFrame + 1;
    else
      legsFrame = legsFrame >= legs - 1 || legsFrame < half ? half : legsFrame + 1;
  }
  if (!IsFiring()) {
    bodyFrame = bRight ? 0 : 1;
    return;
  }
  int a = aimAngle;
  if (a < 22)
    bodyFrame = 0;
  else if (a < 67)
    bodyFrame = 1;
  else if (a < 112)
    bodyFrame = bRight ? 2 : 3;
  else if (a < 157)
    bodyFrame = 4;
  else if (a < 202)
    bodyFrame = 5;
  else if (a < 247)
    bodyFrame = 6;
  else if (a < 292)
    bodyFrame = bRight ? 7 : 8;
  else
    bodyFrame = 9;
  if (bodyFrame >= worldSprites.fireBody.frameCount) bodyFrame = 0;
}

void Guard::Draw() {
  for (int i = 0; i < kGuardSprites; ++i) worldSprites.Guard(i).colorScheme = colorScheme;
  if (state == kDying) {
    Sprite& s = worldSprites.dying;
    s.frame = deathFrame;
    s.x = rect.left;
    s.y = rect.top;
    camera.DrawSprite(s);
    return;
  }
  if (state == kDead) {
    Sprite& s = worldSprites.dead;
    s.frame = bRight ? 0 : 1;
    s.x = rect.left;
    s.y = rect.top;
    camera.DrawSprite(s);
    return;
  }
  if (game.bEditing) UpdateFrames();
  Sprite& legs = IsWalking() ? worldSprites.walkLegs : worldSprites.standLegs;
  legs.frame = legsFrame;
  legs.x = rect.left;
  legs.y = rect.top + legsOffsetY;
  camera.DrawSprite(legs);
  LayeredSprite* body;
  if (IsFiring()) {
    body = &worldSprites.fireBody;
    body->SetFrame(bodyFrame);
    int mapped = MapFiringFrame(bodyFrame);
    body->frame = mapped;
    if (body->layers.size() > 2) body->layers[2].sprite.frame = mapped;
  } else if (IsWalking()) {
    body = &worldSprites.walkBody;
    body->SetFrame(bRight ? 0 : 1);
  } else {
    body = &worldSprites.standBody;
    body->SetFrame(bodyFrame);
  }
  body->activeLayers.assign(3, 0);
  for (int i = 0; i < 3; ++i)
    body->activeLayers[i] = static_cast<unsigned char>(activeLayers.At(i));
  if (body->activeLayers.size() != body->layers.size())
    body->activeLayers.resize(body->layers.size());
  body->x = rect.left + gunOffsetX;
  body->y = rect.top;
  body->Draw(true);
}

int Guard::MuzzleX() {
  int off;
  if (state == kDying)
    off = 43;
  else if (state == kDead)
    off = bRight ? 31 : 65;
  else if (IsWalking())
    off = IsFiring() ? (bRight ? 20 : 47) : (bRight ? 10 : 17);
  else
    off = IsFiring() ? (bRight ? 17 : 48) : 12;
  return rect.left + gunOffsetX + off;
}

int Guard::MuzzleY() {
  int off;
  if (state == kDying)
    off = 25;
  else if (state == kDead)
    off = 5;
  else if (IsWalking())
    off = IsFiring() ? 32 : 22;
  else
    off = IsFiring() ? 30 : 25;
  return rect.top + off;
}

double Guard::Get(const char* name) {
  if (!std::strcmp(name, "IsFiring")) return IsFiring() ? 2 : 0;
  if (!std::strcmp(name, "bodyFrame")) return bodyFrame;
  if (!std::strcmp(name, "bRight")) return bRight;
  if (!std::strcmp(name, "flyX")) return flyX;
  if (!std::strcmp(name, "flyY")) return flyY;
  if (!std::strcmp(name, "health")) return health;
  if (!std::strcmp(name, "sawFlyTimer")) return sawFlyTimer;
  if (!std::strcmp(name, "shotTimer")) return shotTimer;
  if (!std::strcmp(name, "state")) return state;
  if (!std::strcmp(name, "guardType")) return guardType;
  if (!std::strcmp(name, "bGoingUp")) return bGoingUp;
  if (!std::strcmp(name, "IsActive")) return state == kDying || state == kDead ? 0 : 1;
  if (!std::strcmp(name, "TargetX")) return MuzzleX();
  if (!std::strcmp(name, "TargetY")) return MuzzleY();
  return PhysObject::Get(name);
}

void Guard::Set(const char* name, double value) {
  int v = static_cast<int>(value);
  if (!std::strcmp(name, "bodyFrame"))
    bodyFrame = v;
  else if (!std::strcmp(name, "bRight"))
    bRight = value != 0.0;
  else if (!std::strcmp(name, "flyX"))
    flyX = v;
  else if (!std::strcmp(name, "flyY"))
    flyY = v;
  else if (!std::strcmp(name, "health"))
    health = v;
  else if (!std::strcmp(name, "sawFlyTimer"))
    sawFlyTimer = v;
  else if (!std::strcmp(name, "shotTimer"))
    shotTimer = v;
  else if (!std::strcmp(name, "state"))
    state = v;
  else if (!std::strcmp(name, "TakeHit"))
    TakeHit(value);
  else if (!std::strcmp(name, "SwitchTypes"))
    guardType = guardType + 1 > 1 ? 0 : guardType + 1;
  else
    PhysObject::Set(name, value);
}

void Guard::TakeHit(double damage) { health = static_cast<int>(health - damage); }

bool Guard::PlaceOnTile(Object* other) {
  Rect box = ObjectBox(other);
  rect.MoveLeftTo(box.left + box.Width() / 4);
  rect.MoveBottomTo(box.top);
  lastRect = rect;
  return true;
}

void Guard::SetToMouse() {
  rect.CenterAt(input.x, input.y);
  lastRect = rect;
}

void Guard::Save(std::ostream& out) {
  out << rect.left << " " << rect.bottom << " " << (bRight ? 1 : 0);
}

GuardZero::GuardZero() {
  objectType = kGuardZero;
  Reset();
}

GuardOne::GuardOne() {
  objectType = kGuardOne;
  guardType = 1;
  colorScheme = 1;
  Reset();
}

int GuardOne::MapFiringFrame(int frame) {
  switch (frame) {
    case 2:
      return 10;
    case 3:
      return 11;
    case 7:
      return 12;
    case 8:
      return 13;
    default:
      return frame;
  }
}

bool GuardOne::GetColorScheme(std::vector<int>& from, std::vector<int>& to) {
  for (auto [f, t] : {std::pair<int, int>{147, 120}, {74, 119}, {251, 93}}) {
    from.push_back(f);
    to.push_back(t);
  }
  return true;
}

void GuardOne::TakeHit(double damage) {
  bool bFromBehind = !hittingBullet || (hittingBullet->Get("right") != 0) == bRight;
  if (bFromBehind) {
    health = static_cast<int>(health - damage);
    return;
  }
  if (frontHits++ > 10) health = static_cast<int>(health - damage);
}

}  // namespace lockdown
