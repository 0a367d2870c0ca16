#include <gtest/gtest.h>

#include <cstring>

#include "Harness.h"
#include "lockdown/HitScan.h"
#include "lockdown/Mover.h"
#include "lockdown/Particle.h"
#include "lockdown/PhysObject.h"
#include "lockdown/Rect.h"

namespace lockdown {
namespace {

TEST(Rect, ContainsOverlapsAndSides) {
  Rect r(0, 10, 0, 10);
  EXPECT_TRUE(r.Contains(0, 0));
  EXPECT_FALSE(r.Contains(10, 5));
  EXPECT_FALSE(r.Contains(5, 10));
  EXPECT_FALSE(r.Overlaps(Rect(10, 20, 0, 10)));  // only an edge shared
  EXPECT_FALSE(r.Overlaps(Rect(0, 10, 10, 20)));
  EXPECT_TRUE(r.Overlaps(Rect(9, 20, 9, 20)));
  EXPECT_EQ(r.SideOf(-20, 5), 0);
  EXPECT_EQ(r.SideOf(30, 5), 2);
  EXPECT_EQ(r.SideOf(5, -20), 1);
  EXPECT_EQ(r.SideOf(5, 30), 3);
  r.CenterAt(100, 100);
  EXPECT_EQ(r.left, 95);
  EXPECT_EQ(r.right, 105);
  EXPECT_EQ(r.Get("x"), 100);
}

TEST(Mover, BresenhamStepsStopOnTheTarget) {
  Mover still(5, 5, 5, 5);
  still.speed = 50;
  still.Step();
  EXPECT_EQ(still.x, 5);
  EXPECT_EQ(still.y, 5);

  Mover m(0, 0, 10, 0);
  std::vector<int> xs;
  for (int i = 0; i < 4; ++i) {
    m.Step();
    xs.push_back(static_cast<int>(m.x));
  }
  EXPECT_EQ(xs, (std::vector<int>{4, 8, 10, 10}));
  EXPECT_EQ(m.left, 5);  // the 10 by 10 box follows
  EXPECT_EQ(m.right, 15);

  struct Case {
    int tx, ty;
  } cases[] = {{7, 3}, {-9, 4}, {2, -11}, {-6, -6}, {0, 13}};
  for (const Case& c : cases) {
    Mover ray(0, 0, c.tx, c.ty);
    ray.speed = 1;
    int steps = 0;
    while (!ray.AtTarget() && steps < 100) {
      double px = ray.x, py = ray.y;
      ray.Step();
      EXPECT_LE(std::abs(ray.x - px), 1);
      EXPECT_LE(std::abs(ray.y - py), 1);
      ++steps;
    }
    EXPECT_EQ(steps, std::max(std::abs(c.tx), std::abs(c.ty))) << c.tx << "," << c.ty;
  }
}

class Body : public PhysObject {
 public:
  void Destroy() override { delete this; }
};

// A wall that answers the edge names.
class Wall : public Object {
 public:
  explicit Wall(Rect r, bool bTop = true) : rect(r), bTopEdge(bTop) {}
  double Get(const char* name) override {
    if (!std::strcmp(name, "bTopEdge")) return bTopEdge;
    if (!std::strcmp(name, "bBottomEdge") || !std::strcmp(name, "bLeftEdge") ||
        !std::strcmp(name, "bRightEdge"))
      return 1;
    return rect.Get(name);
  }
  void Destroy() override { delete this; }
  Rect rect;
  bool bTopEdge;
};

using Physics = testing::Headless;

TEST_F(Physics, ApplyVelocityKeepsSubPixelRemainders) {
  game.levelWidth = 800;
  Body body;
  body.rect = Rect(100, 110, 100, 110);
  body.xVel = 0.4;
  body.yVel = -1.5;
  std::vector<int> lefts, tops;
  for (int i = 0; i < 4; ++i) {
    body.ApplyVelocity();
    lefts.push_back(body.rect.left);
    tops.push_back(body.rect.top);
  }
  // 0.4 a frame: one pixel on the third frame, remainder 1.2 less 1.
  EXPECT_EQ(lefts, (std::vector<int>{100, 100, 101, 101}));
  EXPECT_NEAR(body.xRemainder, 0.6, 1e-9);
  // -1.5 a frame: the half pixels add up to a whole one every second frame.
  EXPECT_EQ(tops, (std::vector<int>{99, 98, 96, 95}));

  body.rect = Rect(-501, -491, 0, 10);
  body.xVel = 3;
  body.ApplyVelocity();
  EXPECT_EQ(body.rect.left, -501);  // far beyond the level: frozen
  body.rect = Rect(1301, 1311, 0, 10);
  body.ApplyVelocity();
  EXPECT_EQ(body.rect.left, 1301);
  // Fallen out of the bottom of the level: it stops instead of falling for ever.
  game.levelHeight = 600;
  body.xVel = 0;
  body.yVel = 40;
  body.rect = Rect(100, 110, 1060, 1070);
  body.ApplyVelocity();
  EXPECT_EQ(body.rect.top, 1100);
  body.ApplyVelocity();
  EXPECT_EQ(body.rect.top, 1140);
  body.ApplyVelocity();
  EXPECT_EQ(body.rect.top, 1140);
}

TEST_F(Physics, CollideTestPushesOutByTheSideItCameFrom) {
  Wall floor(Rect(0, 40, 100, 140));
  struct Case {
    Rect last, now;
    int left, top;
  } cases[] = {
      {Rect(10, 20, 80, 100), Rect(10, 20, 85, 105), 10, 80},      // lands on top
      {Rect(-15, -5, 110, 120), Rect(-5, 5, 110, 120), -10, 110},  // hits the left side
      {Rect(45, 55, 110, 120), Rect(35, 45, 110, 120), 40, 110},   // hits the right side
      {Rect(10, 20, 145, 155), Rect(10, 20, 135, 145), 10, 140},   // from below
      {Rect(50, 60, 0, 10), Rect(50, 60, 0, 10), 50, 0},           // no overlap
  };
  for (const Case& c : cases) {
    Body body;
    body.lastRect = c.last;
    body.rect = c.now;
    body.CollideTest(&floor);
    EXPECT_EQ(body.rect.left, c.left) << c.now.left << "," << c.now.top;
    EXPECT_EQ(body.rect.top, c.top) << c.now.left << "," << c.now.top;
  }
  // Landing across the wall's left edge stays on the wall.
  Body body;
  body.lastRect = Rect(-5, 5, 80, 100);
  body.rect = Rect(-5, 5, 83, 103);
  body.CollideTest(&floor);
  EXPECT_EQ(body.rect.left, -5);
  EXPECT_EQ(body.rect.bottom, 100);
}

TEST_F(Physics, ParticlesAgeFadeAndDraw) {
  Particle p;
  p.Init(10, 10, 2, 0, 77, -1, 0.5f, 1.0);
  int frames = 0;
  while (p.Update() && frames < 100) ++frames;
  EXPECT_GE(frames, 19);  // radius 1.0 shrinking by 0.05
  EXPECT_LE(frames, 20);
  EXPECT_EQ(p.xVel, 0);
  Particle timed;
  timed.Init(5, 5, 0, 0, 88, 2);
  EXPECT_TRUE(timed.Update());
  EXPECT_TRUE(timed.Update());
  EXPECT_FALSE(timed.Update());
  EXPECT_EQ(backBuffer->At(5, 5), 88);
  Particle off;
  off.Init(900, 5, 0, 0, 99, 5);
  off.Update();  // off screen: nothing drawn, nothing broken

  ParticleBurst burst;
  burst.spread = 0;  // must not divide by zero
  burst.count = 5;
  burst.Start(50, 60);
  EXPECT_EQ(burst.particles.size(), 5u);
  EXPECT_TRUE(burst.bActive);
  burst.Update();
  burst.Draw();
}

// A target that a probe can hit.
class Target : public Object {
 public:
  Target(int type, Rect r, bool bActive = true) : rect(r), bActive(bActive) { objectType = type; }
  double Get(const char* name) override { return !std::strcmp(name, "IsActive") ? bActive : 0; }
  bool IsPtIn(int x, int y) override { return rect.Contains(x, y); }
  void Destroy() override { delete this; }
  Rect rect;
  bool bActive;
};

TEST_F(Physics, HitScanFindsTheFirstActiveTargetOfTheWantedTypes) {
  Target* sleeping = new Target(kGuardZero, Rect(20, 30, -5, 5), false);
  Target* tile = new Target(kTile, Rect(40, 50, -5, 5));
  Target* guard = new Target(kGuardOne, Rect(60, 70, -5, 5));
  for (Object* o :
       {static_cast<Object*>(sleeping), static_cast<Object*>(tile), static_cast<Object*>(guard)})
    objectList.Append(o);
  EXPECT_TRUE(hitScan.Start(0, 0, 100, 0, false, false, true, false, 2));
  EXPECT_EQ(hitScan.result, guard);
  EXPECT_TRUE(hitScan.Start(0, 0, 100, 0, true, false, true, false, 2));
  EXPECT_EQ(hitScan.result, tile);
  EXPECT_FALSE(
      hitScan.Start(0, 0, 100, 0, false, false, false, true, 0));  // a zero step still ends
  EXPECT_EQ(hitScan.result, nullptr);
  DestroyAllObjects();
}

}  // namespace
}  // namespace lockdown
