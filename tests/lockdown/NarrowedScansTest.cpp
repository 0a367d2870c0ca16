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

#include "WorldHarness.h"
#include "bench/LockdownScenario.h"
#include "lockdown/Bullet.h"
#include "lockdown/Door.h"
#include "lockdown/Guard.h"
#include "lockdown/HitScan.h"
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

}  // namespace
}  // namespace lockdown::testing
