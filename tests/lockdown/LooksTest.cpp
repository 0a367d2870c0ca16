// What the staged sprite sheet shows a player: barrels that stick out of their bodies and
// show which way they point, guards of the two kinds told apart to the end, machines that
// look switched off when they are, terminals showing their security colour.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>
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

// The back buffer after drawing on a plain background of the given colour.
std::vector<uint8_t> DrawnOver(int background, const std::function<void()>& draw) {
  camera.view = Rect(0, 800, 0, 600);
  FillSurface(backBuffer, background, nullptr);
  draw();
  return std::vector<uint8_t>(backBuffer->Pixels(),
                              backBuffer->Pixels() + backBuffer->Pitch() * backBuffer->Height());
}

class Looks : public testing::World {
 protected:
  // A guard of the type drawn standing (state 0), dying (a frame of the fall) or dead.
  std::vector<uint8_t> GuardIn(int type, int state, int deathFrame = 2) {
    Load("800 600\n" + std::to_string(type) + " 300 400 1\n-1\n");
    Guard* guard = First<Guard>(type);
    if (!guard) return {};
    guard->state = state;
    guard->deathFrame = deathFrame;
    return DrawnOver(6, [&] { guard->Draw(); });
  }
};

struct BarrelView {
  int bodyPixels = 0;
  int outside = 0;  // barrel pixels where the body is see-through
  // Their mean offset from the pivot.
  double meanX = 0, meanY = 0;
};

// Where the barrel shows: drawn once with the barrel and body, and the body alone on two
// backgrounds to tell its pixels apart.
BarrelView ViewOfBarrel(Gun& gun, const std::function<void()>& drawAll,
                        const std::function<void()>& drawBody) {
  std::vector<uint8_t> all = DrawnOver(6, drawAll);
  std::vector<uint8_t> bodyA = DrawnOver(200, drawBody), bodyB = DrawnOver(201, drawBody);
  const int pitch = backBuffer->Pitch();
  BarrelView view;
  for (size_t i = 0; i < all.size(); ++i) {
    bool bBody = bodyA[i] == bodyB[i];
    view.bodyPixels += bBody;
    if (bBody || all[i] != gun.barrel.colour) continue;
    ++view.outside;
    view.meanX += static_cast<int>(i % pitch) - gun.x;
    view.meanY += static_cast<int>(i / pitch) - gun.y;
  }
  if (view.outside) {
    view.meanX /= view.outside;
    view.meanY /= view.outside;
  }
  return view;
}

int BarrelPixelsOutsideBody(Gun& gun, const std::function<void()>& drawAll,
                            const std::function<void()>& drawBody) {
  BarrelView view = ViewOfBarrel(gun, drawAll, drawBody);
  // A body that draws nothing would leave the whole barrel in sight.
  EXPECT_GE(view.bodyPixels, 60) << "the body is (nearly) blank";
  return view.outside;
}

void DrawTurretBody(Turret* turret) {
  Sprite& s = worldSprites.turret;
  s.frame = turret->damageFrame;
  s.x = turret->body.left;
  s.y = turret->body.top;
  camera.DrawSprite(s);
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
                  turret->gun, [&] { turret->Draw(); }, [&] { DrawTurretBody(turret); }),
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

// At each of eight headings, a turret on the tile side that lets it aim there shows its
// barrel on the side it aims at, not as much on the opposite side.
TEST_F(Looks, ATurretShowsWhichWayItAims) {
  for (int heading = 0; heading < 360; heading += 45) {
    SCOPED_TRACE(heading);
    // The side of the tile whose outward heading (270, 0, 90, 180) is nearest.
    int direction = ((heading + 90 + 44) / 90) % 4;
    Load("800 600\n4 100 100\n5 400 300 " + std::to_string(direction) + "\n-1\n");
    Turret* turret = First<Turret>(kTurret);
    ASSERT_TRUE(turret);
    turret->gun.heading = heading;
    BarrelView view = ViewOfBarrel(
        turret->gun, [&] { turret->Draw(); }, [&] { DrawTurretBody(turret); });
    EXPECT_GE(view.outside, 4);
    double toward = view.meanX * SinOf(heading) - view.meanY * CosOf(heading);
    EXPECT_GE(toward, 2.0) << "the barrel shows as much behind the turret as before it";
  }
}

TEST_F(Looks, MachinesSwitchedOffLookSwitchedOff) {
  Load("800 600\n4 100 100\n5 400 206 1\n8 600 400 1\n-1\n");
  Turret* turret = First<Turret>(kTurret);
  Tank* tank = First<Tank>(kTank);
  ASSERT_TRUE(turret && tank);
  auto on = DrawnOver(6, [&] {
    turret->Draw();
    tank->Draw();
  });
  turret->bActive = tank->bActive = false;
  auto off = DrawnOver(6, [&] {
    turret->Draw();
    tank->Draw();
  });
  int pitch = backBuffer->Pitch(), turretChanged = 0, tankChanged = 0;
  for (size_t i = 0; i < on.size(); ++i) {
    if (on[i] == off[i]) continue;
    int x = static_cast<int>(i % pitch), y = static_cast<int>(i / pitch);
    turretChanged += turret->body.Contains(x, y);
    tankChanged += tank->rect.Contains(x, y);
  }
  EXPECT_GE(turretChanged, 15);
  EXPECT_GE(tankChanged, 25);
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

std::set<int> ColoursOf(const std::vector<uint8_t>& picture) {
  std::set<int> colours(picture.begin(), picture.end());
  colours.erase(6);
  return colours;
}

// Colours of the first picture that the second does not have.
std::set<int> Only(const std::set<int>& a, const std::set<int>& b) {
  std::set<int> only;
  for (int c : a)
    if (!b.count(c)) only.insert(c);
  return only;
}

int PixelsIn(const std::vector<uint8_t>& picture, const std::set<int>& colours) {
  int n = 0;
  for (uint8_t p : picture) n += colours.count(p);
  return n;
}

TEST_F(Looks, EachGuardTypeKeepsItsLookWhileDyingAndDead) {
  std::set<int> zero = ColoursOf(GuardIn(kGuardZero, 0));
  std::set<int> one = ColoursOf(GuardIn(kGuardOne, 0));
  std::set<int> onlyZero = Only(zero, one), onlyOne = Only(one, zero);
  ASSERT_FALSE(onlyZero.empty());
  ASSERT_FALSE(onlyOne.empty());
  for (int state : {Guard::kDying, Guard::kDead}) {
    SCOPED_TRACE(state);
    std::vector<uint8_t> fallenZero = GuardIn(kGuardZero, state);
    std::vector<uint8_t> fallenOne = GuardIn(kGuardOne, state);
    // Neither wears the other's colours, and most of the body shows its own.
    EXPECT_EQ(PixelsIn(fallenOne, onlyZero), 0);
    EXPECT_EQ(PixelsIn(fallenZero, onlyOne), 0);
    EXPECT_GE(PixelsIn(fallenOne, onlyOne), 200);
    EXPECT_GE(PixelsIn(fallenZero, onlyZero), 200);
  }
}

TEST_F(Looks, TerminalsOfTwoSecurityLevelsLookDifferent) {
  Load("800 600\n7 2 11111 100 100\n7 4 22222 100 300\n-1\n");
  std::vector<Terminal*> terminals;
  for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next())
    if (c.Current()->objectType == kTerminal)
      terminals.push_back(static_cast<Terminal*>(c.Current()));
  ASSERT_EQ(terminals.size(), 2u);
  std::vector<uint8_t> picture = DrawnOver(6, [&] {
    for (Terminal* t : terminals) t->Draw();
  });
  int pitch = backBuffer->Pitch(), differing = 0, securityColoured = 0, console = 0;
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 31; ++x) {
      uint8_t a = picture[(100 + y) * pitch + 100 + x], b = picture[(100 + y) * pitch + 300 + x];
      differing += a != b;
      securityColoured += a == 2 && b == 4;
      console += a == b && a != 6;
    }
  EXPECT_GT(differing, 100);
  EXPECT_GT(securityColoured, 100);  // most of the screen shows the level's colour
  EXPECT_GT(console, 600);           // around it, the same console for both
}

}  // namespace
}  // namespace lockdown
