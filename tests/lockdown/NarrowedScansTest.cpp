// The world's passes and queries walk cursors, maps and grids instead of whole lists. Here
// every level is played twice from the same seed, once with the plain walks over whole
// lists and once without, and the two worlds must agree after every frame, down to the
// order of the objects and every field that play reads. Random numbers spent on the
// colours of throw-away rectangles differ between the two, so particles and colours are
// left out.
#include <algorithm>
#include <cstdlib>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "../support/LockdownScenario.h"
#include "WorldHarness.h"
#include "lockdown/Bullet.h"
#include "lockdown/Door.h"
#include "lockdown/Guard.h"
#include "lockdown/HitScan.h"
#include "lockdown/ReferenceSwitches.h"
#include "lockdown/Tank.h"
#include "lockdown/Tile.h"
#include "lockdown/Turret.h"
#include "lockdown/World.h"
#include "lockdown/Zizuzu.h"

namespace lockdown::testing {
namespace {

std::ostream& operator<<(std::ostream& out, const Rect& r) {
  return out << r.left << "," << r.top << "," << r.right << "," << r.bottom;
}

class NarrowedScans : public World {
 protected:
  void TearDown() override {
    bFullScans = false;
    World::TearDown();
  }

  // Everything play reads of the world, objects in list order; objects named by place.
  std::string Dump() {
    std::map<const Object*, int> place;
    int n = 0;
    for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next()) place[c.Current()] = n++;
    auto name = [&](const void* o) {
      auto found = place.find(static_cast<const Object*>(o));
      return o == nullptr           ? std::string("-")
             : found == place.end() ? std::string("?")
                                    : std::to_string(found->second);
    };
    std::ostringstream out;
    for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next()) {
      Object* o = c.Current();
      out << o->objectType << (o->bDestroyed ? "x" : "") << ":";
      if (auto* t = dynamic_cast<Tile*>(o))
        out << t->rect << " " << t->sprite << t->bLeftEdge << t->bTopEdge << t->bRightEdge
            << t->bBottomEdge;
      if (auto* p = dynamic_cast<PhysObject*>(o))
        out << p->rect << " " << p->lastRect << " " << p->xVel << "," << p->yVel << " "
            << p->xRemainder << "," << p->yRemainder << " " << p->bOverlapsLeft << p->bOverlapsRight
            << p->bOverlapsTop << p->bOverlapsBottom << p->bHitFromLeft << p->bHitFromRight
            << p->bLandOnTop << p->bHitFromBelow;
      if (auto* g = dynamic_cast<Guard*>(o))
        out << " g" << g->state << g->bRight << g->bSeesZizuzu << " " << g->health << " "
            << g->shotTimer << " " << g->flyX << "," << g->flyY << " " << g->aimAngle;
      if (auto* k = dynamic_cast<Tank*>(o))
        out << " k" << k->health << k->bRight << k->bActive << " " << k->gun.heading << " "
            << k->gun.fireCountdown << " " << k->frame;
      if (auto* d = dynamic_cast<Door*>(o)) out << " d" << d->state << d->bSpanFound;
      if (auto* u = dynamic_cast<Turret*>(o))
        out << u->body << " u" << u->health << u->bActive << u->bFiring << " " << u->gun.heading
            << " " << u->gun.fireCountdown;
      if (auto* z = dynamic_cast<Zizuzu*>(o))
        out << z->mover.x << "," << z->mover.y << " " << z->mover.left << "," << z->mover.top << " "
            << z->health << " " << z->bLanded << " w" << name(z->wall) << " t"
            << name(z->targeter.target) << " " << z->targeter.lastTargetX << ","
            << z->targeter.lastTargetY << " " << z->gun.heading << " " << z->gun.fireCountdown;
      if (auto* b = dynamic_cast<Bullet*>(o))
        out << b->x << "," << b->y << " " << b->error << " " << b->ownerType;
      out << "\n";
    }
    out << "zizuzu " << name(game.zizuzu) << "\n";
    return out.str();
  }

  // Plays the level with the mouse wandering and the button held now and then.
  std::vector<std::string> Play(const std::string& level, bool bFull, int frames, unsigned seed) {
    bFullScans = bFull;
    std::srand(seed);
    guardDyingCounter = guardWalkingCounter = tankTreadCounter = 0;
    Load(level);
    EXPECT_NE(game.zizuzu, nullptr);
    if (!game.zizuzu) return {};
    game.zizuzu->Set("health", 1000000);
    std::mt19937 mouse(seed);
    std::vector<std::string> states;
    for (int f = 0; f < frames; ++f) {
      if (f % 7 == 0)
        MouseTo(std::uniform_int_distribution<int>(0, game.levelWidth)(mouse),
                std::uniform_int_distribution<int>(0, game.levelHeight)(mouse));
      if (f % 20 < 12) machine.HoldButton(0, machine.Frame(), machine.Frame());
      Frames(1);
      states.push_back(Dump());
    }
    return states;
  }

  void ExpectSamePlay(const std::string& level, int frames, unsigned seed) {
    std::vector<std::string> reference = Play(level, true, frames, seed);
    std::vector<std::string> narrowed = Play(level, false, frames, seed);
    ASSERT_EQ(reference.size(), narrowed.size());
    for (size_t f = 0; f < reference.size(); ++f)
      ASSERT_EQ(reference[f], narrowed[f]) << "first difference after frame " << f;
  }
};

TEST_F(NarrowedScans, BuildingsPlayAsWithFullScans) {
  for (unsigned seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    ExpectSamePlay(scenario::BuildingLevel(400, 24, seed), 40, seed);
  }
}

TEST_F(NarrowedScans, RoomsFullOfMachinesPlayAsWithFullScans) {
  for (unsigned seed : {4u, 5u}) {
    SCOPED_TRACE(seed);
    ExpectSamePlay(scenario::ArenaLevel(60, seed), 60, seed);
  }
}

TEST_F(NarrowedScans, ScrambledLevelsPlayAsWithFullScans) {
  for (unsigned seed : {6u, 7u, 8u}) {
    SCOPED_TRACE(seed);
    ExpectSamePlay(scenario::ScrambledLevel(300, 30, seed), 40, seed);
  }
}

TEST_F(NarrowedScans, ProbesHitWhatAWalkOverTheListHits) {
  for (unsigned seed : {9u, 10u}) {
    SCOPED_TRACE(seed);
    Load(scenario::ScrambledLevel(300, 60, seed));
    ASSERT_NE(game.zizuzu, nullptr);
    game.zizuzu->Set("health", 1000000);
    Frames(12);  // machines on the move, bullets in the air, some machines dead
    std::mt19937 random(seed);
    auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    int hits = 0;
    for (int i = 0; i < 3000; ++i) {
      int x0 = any(-80, game.levelWidth + 80), y0 = any(-80, game.levelHeight + 80);
      int x1 = x0 + any(-300, 300), y1 = y0 + any(-300, 300);
      bool flags[4] = {any(0, 1) == 1, any(0, 1) == 1, any(0, 1) == 1, any(0, 1) == 1};
      double step = any(1, 12);
      bFullScans = true;
      bool bWalked = hitScan.Start(x0, y0, x1, y1, flags[0], flags[1], flags[2], flags[3], step);
      Object* walked = hitScan.result;
      double walkedDistance = hitScan.distance;
      bFullScans = false;
      bool bFound = hitScan.Start(x0, y0, x1, y1, flags[0], flags[1], flags[2], flags[3], step);
      ASSERT_EQ(bWalked, bFound) << i;
      ASSERT_EQ(walked, hitScan.result) << i;
      ASSERT_EQ(walkedDistance, hitScan.distance) << i;
      hits += bFound;
    }
    EXPECT_GT(hits, 300);
  }
}

TEST_F(NarrowedScans, ProbesSeeObjectsJoiningAndLeavingTheList) {
  Load("800 600\n4 700 100\n2 400 300 0\n2 0 560 0\n-1\n");
  auto probe = [&](int x, int y) {
    bFullScans = true;
    hitScan.Start(x - 20, y, x + 20, y, true, false, true, true, 4);
    Object* walked = hitScan.result;
    bFullScans = false;
    hitScan.Start(x - 20, y, x + 20, y, true, false, true, true, 4);
    EXPECT_EQ(walked, hitScan.result) << x << "," << y;
    return hitScan.result;
  };
  EXPECT_EQ(probe(420, 320)->objectType, kTile);  // the grid is built here
  for (bool bFront : {true, false}) {
    Guard* guard = nullptr;
    for (PtrList<Object>::Cursor c(prototypeList); !c.AtEnd(); c.Next())
      if (c.Current()->objectType == kGuardZero)
        guard = static_cast<Guard*>(c.Current()->MakeCopy());
    ASSERT_NE(guard, nullptr);
    guard->Init();
    guard->rect.Set(bFront ? 100 : 200, 100, bFront ? 117 : 217, 188);
    if (bFront)
      objectList.Prepend(guard);
    else
      objectList.Append(guard);
    EXPECT_EQ(probe(bFront ? 108 : 208, 150), guard);
    // A guard put in front of the tile it stands in is hit before the tile.
    guard->rect.Set(398, 290, 442, 378);
    EXPECT_EQ(probe(420, 320), bFront ? static_cast<Object*>(guard) : First<Tile>(kTile));
    DestroyObject(guard);
    FreeDestroyedObjects();
    EXPECT_EQ(probe(420, 320)->objectType, kTile);
  }
}

// Objects that, when updated, put new objects at either end of the list and destroy
// others, as a random script says; each notes its turn.
class Spawner : public Object {
 public:
  Spawner(std::vector<int>* turns, std::mt19937* script, int id, int layer)
      : turns(turns), script(script), id(id) {
    updateLayer = layer;
  }
  void Update() override {
    turns->push_back(id);
    int roll = std::uniform_int_distribution<int>(0, 99)(*script);
    int layer = std::uniform_int_distribution<int>(0, 1)(*script);
    if (roll < 15) objectList.Prepend(new Spawner(turns, script, id * 10 + 1, layer));
    if (roll >= 10 && roll < 20) objectList.Append(new Spawner(turns, script, id * 10 + 2, layer));
    if (roll >= 20 && roll < 30) {
      int pick = std::uniform_int_distribution<int>(0, objectList.Count() - 1)(*script);
      PtrList<Object>::Cursor c(objectList);
      for (int k = 0; k < pick; ++k) c.Next();
      DestroyObject(c.Current());
    }
  }
  void Destroy() override { delete this; }

 private:
  std::vector<int>* turns;
  std::mt19937* script;
  int id;
};

TEST_F(NarrowedScans, TheUpdatePassVisitsObjectsInTheOrderOfRescans) {
  for (unsigned seed : {11u, 12u, 13u}) {
    std::vector<int> turns[2];
    for (int run = 0; run < 2; ++run) {
      bFullScans = run == 0;
      std::mt19937 script(seed);
      for (int i = 0; i < 40; ++i)
        objectList.Append(new Spawner(&turns[run], &script, i + 1, i % 2));
      for (int frame = 0; frame < 6; ++frame) {
        game.StepWorld();
        FreeDestroyedObjects();
      }
      DestroyAllObjects();
    }
    EXPECT_GT(turns[0].size(), 300u);
    EXPECT_EQ(turns[0], turns[1]) << "seed " << seed;
  }
}

}  // namespace
}  // namespace lockdown::testing
