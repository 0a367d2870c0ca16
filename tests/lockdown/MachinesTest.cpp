// Rules of the machines, case by case: guns and bullets, guards, turrets, tanks, doors
// and the exit zone.
#include <gtest/gtest.h>

#include <sstream>

#include "WorldHarness.h"
#include "lockdown/Bullet.h"
#include "lockdown/Door.h"
#include "lockdown/ExitZone.h"
#include "lockdown/Guard.h"
#include "lockdown/Gun.h"
#include "lockdown/Tank.h"
#include "lockdown/Turret.h"
#include "lockdown/Zizuzu.h"

namespace lockdown {
namespace {

using Machines = testing::World;

std::string Floor(int y, int from, int to) {
  std::string rows;
  for (int x = from; x <= to; x += 40)
    rows += "2 " + std::to_string(x) + " " + std::to_string(y) + " 0\n";
  return rows;
}

TEST_F(Machines, BulletsStepOnePixelPerStepAlongTheirLine) {
  Load("800 600\n-1\n");
  Bullet fast(100, 100, 500, 100, 10, 1, 10, 3);
  fast.Step();
  EXPECT_EQ(fast.x, 111);  // speed 10: eleven steps a frame
  EXPECT_EQ(fast.y, 100);
  Bullet still(100, 100, 100, 100, 10, 1, 0, 3);
  still.Step();
  EXPECT_EQ(still.x, 101);
  EXPECT_EQ(still.y, 101);
  EXPECT_EQ(still.Get("right"), 1);
  Bullet left(100, 100, 0, 90, 10, 1, 0, 3);
  EXPECT_EQ(left.Get("right"), 0);
}

TEST_F(Machines, ABulletLeavingTheLevelIsDestroyedElevenPixelsOutside) {
  Load("800 600\n-1\n");
  Bullet* b = new Bullet(795, 300, 2000, 300, 10, 1, 0, 3);
  objectList.Append(b);
  int frames = 0;
  while (!b->bDestroyed && frames < 100) {
    b->Update();
    ++frames;
  }
  EXPECT_EQ(b->x, 811);
}

TEST_F(Machines, BulletsStopAtDoorsWithoutHarm) {
  Load("800 600\n6 400 100 419 500 1 2 0 0\n-1\n");
  Bullet* b = new Bullet(300, 300, 700, 300, 10, 5, 10, 3);
  objectList.Prepend(b);
  for (int i = 0; i < 20 && !b->bDestroyed; ++i) b->Update();
  EXPECT_TRUE(b->bDestroyed);
  EXPECT_LT(b->x, 420);
  EXPECT_EQ(First<Door>(kDoor)->state, Door::kClosed);
}

TEST_F(Machines, GunTurnTable) {
  struct Case {
    int heading, arcCcw, arcCw, tx, ty, after;
  } cases[] = {
      {0, -1, -1, 17, -200, 4},      // 4 degrees away: reached in one update, no overshoot
      {0, -1, -1, 200, 0, 10},       // far: one turn step
      {350, -1, -1, -200, -1, 340},  // counter-clockwise the short way
      {0, 270, 90, 50, 200, 10},     // behind and right of a top turret: toward the nearer limit
      {90, 270, 90, 50, 200, 90},    // held at the clockwise limit
      {0, 270, 90, 0, 200, 0},       // straight behind the middle of the arc: no turn
  };
  for (const Case& c : cases) {
    Gun gun;
    gun.heading = c.heading;
    gun.arcCcw = c.arcCcw;
    gun.arcCw = c.arcCw;
    gun.targetX = c.tx;
    gun.targetY = c.ty;
    gun.bFire = false;
    gun.Update();
    EXPECT_EQ(gun.heading, c.after) << c.heading << " to " << c.tx << "," << c.ty;
  }
}

TEST_F(Machines, GunsFireAtTheirRateFromTheBarrelTip) {
  Load("800 600\n-1\n");
  Gun gun;
  gun.x = 400;
  gun.y = 300;
  gun.heading = 90;
  gun.bAim = false;
  for (int i = 0; i < 8; ++i) gun.Update();
  int bullets = 0;
  Bullet* first = nullptr;
  for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next())
    if (c.Current()->objectType == kBullet) {
      ++bullets;
      first = static_cast<Bullet*>(c.Current());
    }
  EXPECT_EQ(bullets, 2);  // on the first update and seven later
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->ownerType, kZizuzu);  // no arc
  EXPECT_EQ(first->y, 300);
}

TEST_F(Machines, GuardAimAngles) {
  Load("800 600\n0 400 500 1\n" + Floor(500, 0, 760) + "-1\n");
  Guard* g = First<Guard>(kGuardZero);
  int cx = g->rect.CenterX(), top = g->rect.top;
  struct Case {
    int dx, dy, angle;
  } cases[] = {{0, -50, 90},    {0, 50, 270},      {0, 0, 270},      {100, 0, 0},    {-100, 0, 180},
               {100, -100, 45}, {-100, -100, 135}, {-100, 100, 225}, {100, 100, 315}};
  for (const Case& c : cases) {
    g->flyX = cx + c.dx;
    g->flyY = top + 36 + c.dy;
    g->Aim();
    EXPECT_EQ(g->aimAngle, c.angle) << c.dx << "," << c.dy;
  }
}

TEST_F(Machines, AShieldedGuardAbsorbsElevenFrontHits) {
  Load("800 600\n1 400 500 1\n" + Floor(500, 0, 760) + "-1\n");
  GuardOne* g = First<GuardOne>(kGuardOne);
  g->health = 2;
  Bullet fromFront(700, 450, 0, 450, 10, 1, 10, 3);  // flying left into a guard facing right
  hittingBullet = &fromFront;
  for (int i = 0; i < 11; ++i) g->Set("TakeHit", 1);
  EXPECT_EQ(g->health, 2);
  g->Set("TakeHit", 1);
  EXPECT_EQ(g->health, 1);
  Bullet fromBehind(100, 450, 700, 450, 10, 1, 10, 3);
  hittingBullet = &fromBehind;
  g->health = 2;
  g->frontHits = 0;
  g->Set("TakeHit", 1);
  EXPECT_EQ(g->health, 1);
  hittingBullet = nullptr;
  EXPECT_EQ(g->shotDelay, 10);
  EXPECT_EQ(g->MapFiringFrame(7), 12);
}

TEST_F(Machines, GuardsFarOutsideTheLevelDoNothing) {
  Load("800 600\n0 -450 300 1\n0 1250 300 1\n0 300 300 1\n-1\n");
  std::vector<int> bottoms;
  for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next()) {
    c.Current()->Update();
    bottoms.push_back(static_cast<int>(c.Current()->Get("bottom")));
  }
  Frames(5);
  std::vector<int> after;
  for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next())
    after.push_back(static_cast<int>(c.Current()->Get("bottom")));
  EXPECT_EQ(after[0], 300);
  EXPECT_EQ(after[1], 300);
  EXPECT_GT(after[2], 300);  // the one in the level falls
}

TEST_F(Machines, AZizuzuTooCloseIsNotShotAtButTheGuardStillTurns) {
  Load("800 600\n4 440 450\n0 400 500 1\n" + Floor(500, 0, 760) + "-1\n");
  Guard* g = First<Guard>(kGuardZero);
  g->bRight = false;
  Frames(3);
  EXPECT_TRUE(g->bSeesZizuzu);
  EXPECT_TRUE(g->bRight);
  EXPECT_TRUE(g->IsFiring());
  int bullets = 0;
  for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next())
    bullets += c.Current()->objectType == kBullet;
  EXPECT_EQ(bullets, 0);
}

TEST_F(Machines, GuardAnimationCountersAreSharedByEveryGuard) {
  Load("1600 600\n4 100 300\n0 1000 500 0\n0 1100 500 0\n" + Floor(500, 0, 1560) + "-1\n");
  MouseTo(400, 300);
  auto walking = [&] {
    int n = 0;
    for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next())
      if (c.Current()->objectType == kGuardZero) n += static_cast<Guard*>(c.Current())->IsWalking();
    return n;
  };
  for (int i = 0; i < 40 && walking() < 2; ++i) ASSERT_TRUE(game.RunFrame());
  ASSERT_EQ(walking(), 2);
  guardWalkingCounter = 0;
  Frames(1);
  EXPECT_EQ(guardWalkingCounter, 2);  // one step for each guard
}

TEST_F(Machines, TurretHealthFramesAndExplosion) {
  Load("800 600\n5 400 300 1\n-1\n");
  Turret* t = First<Turret>(kTurret);
  EXPECT_EQ(t->gun.arcCcw, 270);
  EXPECT_EQ(t->gun.arcCw, 90);
  t->Set("TakeHit", 1);
  EXPECT_EQ(t->health, 4);
  Frames(1);
  EXPECT_EQ(t->damageFrame, 1);
  t->Set("health", 0);
  Frames(1);
  EXPECT_TRUE(t->burst.bActive);
  EXPECT_EQ(t->Get("IsActive"), 0);
  EXPECT_FALSE(t->IsOperational());
}

TEST_F(Machines, ATopTurretSwingsToItsLimitForAZizuzuBelowRight) {
  Load("800 600\n5 300 200 1\n4 500 400\n-1\n");
  Turret* t = First<Turret>(kTurret);
  Frames(20);
  EXPECT_EQ(t->gun.heading, 90);
  EXPECT_TRUE(t->bFiring);
  int bullets = 0;
  for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next())
    if (c.Current()->objectType == kBullet)
      bullets += static_cast<Bullet*>(c.Current())->ownerType == kTurret;
  EXPECT_GT(bullets, 0);
}

TEST_F(Machines, TanksTurnAtEdgesAndWallsAndKeepTheirSpeed) {
  struct Case {
    const char* what;
    std::string level;
  } cases[] = {
      {"edge", "800 600\n8 150 500 1\n" + Floor(500, 0, 160) + "-1\n"},
      {"wall", "800 600\n8 60 500 1\n" + Floor(500, 0, 400) + "2 120 460 0\n-1\n"},
      {"stairs", "800 600\n8 60 500 1\n" + Floor(500, 0, 400) + "3 120 480 0\n-1\n"},
  };
  for (const Case& c : cases) {
    Load(c.level);
    Tank* tank = First<Tank>(kTank);
    bool bTurned = false;
    double fastest = 0;
    for (int i = 0; i < 60; ++i) {
      ASSERT_TRUE(game.RunFrame());
      bTurned = bTurned || !tank->bRight;
      fastest = std::max(fastest, std::abs(tank->xVel));
    }
    EXPECT_TRUE(bTurned) << c.what;
    EXPECT_LE(fastest, 3.0) << c.what;
    EXPECT_EQ(tank->rect.bottom, 500) << c.what;  // still on the floor
  }
}

TEST_F(Machines, TankShotsCountAsTurretShots) {
  Load("800 600\n8 400 500 0\n4 420 300\n" + Floor(500, 0, 760) + "-1\n");
  Frames(15);
  int tankShots = 0;
  for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next())
    if (c.Current()->objectType == kBullet)
      tankShots += static_cast<Bullet*>(c.Current())->ownerType == kTurret;
  EXPECT_GT(tankShots, 0);
}

TEST_F(Machines, DoorsToggleLockAndWaitForWhatIsUnderThem) {
  Load("800 600\n4 100 500\n6 400 100 419 300 1 2 0 0\n-1\n");
  Door* d = First<Door>(kDoor);
  d->bLocked = true;
  d->Set("Open/Close", 0);
  EXPECT_EQ(d->state, Door::kClosed);  // locked
  game.currentCommand = "Open/Close";
  d->RunMenuCommand();  // the menu unlocks first
  EXPECT_EQ(d->state, Door::kOpening);
  EXPECT_FALSE(d->bLocked);
  for (int i = 0; i < 500 && d->state != Door::kOpen; ++i) d->Update();
  EXPECT_EQ(d->rect.bottom, 101);
  d->Set("Open/Close", 0);
  EXPECT_EQ(d->state, Door::kClosing);
  // The zizuzu hovers where the door closes: the door stops at its top.
  Zizuzu* z = First<Zizuzu>(kZizuzu);
  z->PlaceAt(410, 270);
  for (int i = 0; i < 400; ++i) d->Update();
  EXPECT_NEAR(d->rect.bottom, 258, 1);  // raised to its top, then one closing step
  EXPECT_EQ(d->state, Door::kClosing);
  z->PlaceAt(100, 500);
  for (int i = 0; i < 200; ++i) d->Update();
  EXPECT_EQ(d->state, Door::kClosed);
  EXPECT_EQ(d->rect.bottom, 300);
}

TEST_F(Machines, DoorSpans) {
  struct Case {
    int up, state, closedTop, closedBottom, openTop, openBottom;
  } cases[] = {{0, 0, 1, 200, 1, 100},
               {0, 2, 100, 299, 100, 200},
               {1, 0, 100, 299, 200, 299},
               {1, 2, 1, 200, 100, 200}};
  for (const Case& c : cases) {
    Load("800 600\n6 400 100 419 200 " + std::to_string(c.up) + " " + std::to_string(c.state) +
         " 0 0\n-1\n");
    Door* d = First<Door>(kDoor);
    EXPECT_EQ(d->closedTop, c.closedTop);
    EXPECT_EQ(d->closedBottom, c.closedBottom);
    EXPECT_EQ(d->Get("openTop"), c.openTop);
    EXPECT_EQ(d->Get("openBottom"), c.openBottom);
  }
}

TEST_F(Machines, ALoadedExitZoneDrawsAFrameNeverItsText) {
  Load("800 600\n9 100 100 300 200\n-1\n");
  ExitZone* zone = First<ExitZone>(kExitZone);
  EXPECT_EQ(zone->goal.left, 150);
  EXPECT_EQ(zone->goal.right, 250);
  EXPECT_EQ(zone->goal.top, 125);
  EXPECT_EQ(zone->goal.bottom, 175);
  Frames(1);
  EXPECT_EQ(machine.LastFrame().At(100, 150), 1);  // the frame in colour 1
  int text = 0;
  for (int y = 100; y < 110; ++y)
    for (int x = 101; x < 160; ++x) text += machine.LastFrame().At(x, y) == 255;
  EXPECT_EQ(text, 0);
}

}  // namespace
}  // namespace lockdown
