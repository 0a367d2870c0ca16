// What the staged sprite sheet shows a player: barrels that stick out of their bodies,
// guards of the two kinds told apart, terminals showing their security colour.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "WorldHarness.h"
#include "lockdown/Camera.h"
#include "lockdown/Guard.h"
#include "lockdown/Screen.h"
#include "lockdown/Tank.h"
#include "lockdown/Terminal.h"
#include "lockdown/Turret.h"
#include "lockdown/WorldSprites.h"
#include "lockdown/Zizuzu.h"

namespace lockdown {
namespace {

using Looks = testing::World;

// The back buffer after drawing on a plain background of the given colour.
std::vector<uint8_t> DrawnOver(int background, const std::function<void()>& draw) {
  camera.view = Rect(0, 800, 0, 600);
  FillSurface(backBuffer, background, nullptr);
  draw();
  return std::vector<uint8_t>(backBuffer->Pixels(),
                              backBuffer->Pixels() + backBuffer->Pitch() * backBuffer->Height());
}

// Pixels of the barrel's colour where the body's sprite is see-through: drawn once with
// the barrel and body, and the body alone on two backgrounds to tell its pixels apart.
int BarrelPixelsOutsideBody(Gun& gun, const std::function<void()>& drawAll,
                            const std::function<void()>& drawBody) {
  std::vector<uint8_t> all = DrawnOver(6, drawAll);
  std::vector<uint8_t> bodyA = DrawnOver(200, drawBody), bodyB = DrawnOver(201, drawBody);
  int outside = 0;
  for (size_t i = 0; i < all.size(); ++i) {
    bool bBody = bodyA[i] == bodyB[i];
    outside += !bBody && all[i] == gun.barrel.colour;
  }
  return outside;
}

TEST_F(Looks, EveryGunBarrelShowsBeyondItsBody) {
  Load("800 600\n4 200 200\n5 400 206 1\n8 600 400 1\n-1\n");
  Zizuzu* zizuzu = First<Zizuzu>(kZizuzu);
  Turret* turret = First<Turret>(kTurret);
  Tank* tank = First<Tank>(kTank);
  ASSERT_TRUE(zizuzu && turret && tank);
  for (int heading : {0, 45, 90}) {
    SCOPED_TRACE(heading);
    zizuzu->gun.heading = heading;
    EXPECT_GE(BarrelPixelsOutsideBody(
                  zizuzu->gun, [&] { zizuzu->Draw(); },
                  [&] {
                    Sprite& s = worldSprites.zizuzu;
                    s.frame = 0;
                    s.x = zizuzu->mover.left;
                    s.y = zizuzu->mover.top;
                    camera.DrawSprite(s);
                  }),
              4)
        << "zizuzu";
    turret->gun.heading = heading;
    EXPECT_GE(BarrelPixelsOutsideBody(
                  turret->gun, [&] { turret->Draw(); },
                  [&] {
                    Sprite& s = worldSprites.turret;
                    s.frame = turret->damageFrame;
                    s.x = turret->body.left;
                    s.y = turret->body.top;
                    camera.DrawSprite(s);
                  }),
              3)
        << "turret";
    tank->gun.heading = heading;
    EXPECT_GE(BarrelPixelsOutsideBody(
                  tank->gun, [&] { tank->Draw(); },
                  [&] {
                    Sprite& s = worldSprites.tank;
                    s.frame = tank->frame;
                    s.x = tank->rect.left;
                    s.y = tank->rect.top;
                    camera.DrawSprite(s);
                  }),
              4)
        << "tank";
  }
}

// A standing guard of the type, facing right, drawn with its own colour scheme or another.
std::vector<uint8_t> GuardPicture(Looks& world, const std::function<void(const std::string&)>& load,
                                  int type, int scheme = -1) {
  load("800 600\n" + std::to_string(type) + " 300 400 1\n-1\n");
  Guard* guard = nullptr;
  for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next())
    if (c.Current()->objectType == type) guard = static_cast<Guard*>(c.Current());
  if (!guard) return {};
  if (scheme >= 0) guard->colorScheme = scheme;
  (void)world;
  return DrawnOver(6, [&] { guard->Draw(); });
}

int Differing(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  int n = 0;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) n += a[i] != b[i];
  return n;
}

TEST_F(Looks, TheTwoGuardTypesLookDifferentAndTheSecondSchemeRecolours) {
  auto load = [&](const std::string& text) { Load(text); };
  std::vector<uint8_t> zero = GuardPicture(*this, load, kGuardZero);
  std::vector<uint8_t> one = GuardPicture(*this, load, kGuardOne);
  std::vector<uint8_t> oneInFirstScheme = GuardPicture(*this, load, kGuardOne, 0);
  ASSERT_FALSE(zero.empty());
  ASSERT_FALSE(one.empty());
  EXPECT_GT(Differing(zero, one), 150);
  EXPECT_GT(Differing(one, oneInFirstScheme), 50);
}

TEST_F(Looks, TerminalsOfTwoSecurityLevelsLookDifferent) {
  Load("800 600\n7 2 11111 100 100\n7 4 22222 100 300\n-1\n");
  std::vector<Terminal*> terminals;
  for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next())
    if (c.Current()->objectType == kTerminal) terminals.push_back(static_cast<Terminal*>(c.Current()));
  ASSERT_EQ(terminals.size(), 2u);
  std::vector<uint8_t> picture = DrawnOver(6, [&] {
    for (Terminal* t : terminals) t->Draw();
  });
  int pitch = backBuffer->Pitch(), differing = 0, securityColoured = 0;
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 31; ++x) {
      uint8_t a = picture[(100 + y) * pitch + 100 + x], b = picture[(100 + y) * pitch + 300 + x];
      differing += a != b;
      securityColoured += a == 2 && b == 4;
    }
  EXPECT_GT(differing, 100);
  EXPECT_GT(securityColoured, 100);  // most of the screen shows the level's colour
}

}  // namespace
}  // namespace lockdown
