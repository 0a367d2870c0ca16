#include "lockdown/WorldSprites.h"

#include "lockdown/CheckedVector.h"
#include "lockdown/SheetLayout.h"

namespace lockdown {

WorldSprites worldSprites;

namespace {
int FramesOf(const char* name) {
  const SheetCell* cell = FindSheetCell(name);
  return cell ? cell->frames : 0;
}
}  // namespace

int TileLookCount() { return FramesOf("tile"); }

int StairsLookCount() { return FramesOf("stairs"); }

int TurretScheme(int direction, bool bActive) {
  int scheme = 1 + direction + (bActive ? 0 : 4);
  return direction >= 0 && direction <= 3 && scheme < worldSprites.turret.SchemeCount() ? scheme
                                                                                        : 0;
}

int TankScheme(bool bActive) { return !bActive && worldSprites.tank.SchemeCount() > 1 ? 1 : 0; }

bool WorldSprites::Cut() {
  bool bOk = true;
  for (auto& [sprite, name] :
       std::initializer_list<std::pair<Sprite*, const char*>>{{&tile, "tile"},
                                                              {&stairs, "stairs"},
                                                              {&zizuzu, "zizuzu"},
                                                              {&flash, "flash"},
                                                              {&debris, "debris"},
                                                              {&reticle, "reticle"},
                                                              {&turret, "turret"},
                                                              {&tank, "tank"},
                                                              {&terminal, "terminal"},
                                                              {&terminalScreen, "terminal_screen"},
                                                              {&standLegs, "guard_stand_legs"},
                                                              {&walkLegs, "guard_walk_legs"},
                                                              {&dying, "guard_dying"},
                                                              {&dead, "guard_dead"}})
    bOk = CutSprite(*sprite, name) && bOk;
  // The machines' looks by side and by state (TurretScheme, TankScheme).
  AddSheetSchemes(turret, "turret");
  AddSheetSchemes(tank, "tank");
  // The shared layer is also the body's own picture, drawn under the looks.
  bOk = standBody.Cut("guard_stand_body_2",
                      {"guard_stand_body_0", "guard_stand_body_1", "guard_stand_body_2"}) &&
        bOk;
  bOk = walkBody.Cut("guard_walk_body_2",
                     {"guard_walk_body_0", "guard_walk_body_1", "guard_walk_body_2"}) &&
        bOk;
  bOk = fireBody.Cut("guard_fire_body_2",
                     {"guard_fire_body_0", "guard_fire_body_1", "guard_fire_body_2"}) &&
        bOk;
  for (LayeredSprite* body : {&standBody, &walkBody, &fireBody})
    for (Layer& layer : body->layers) layer.bFollowScheme = true;
  return bOk;
}

void WorldSprites::Release() {
  for (Sprite* s : {&tile, &stairs, &zizuzu, &flash, &debris, &reticle, &turret, &tank, &terminal,
                    &terminalScreen, &standLegs, &walkLegs, &dying, &dead})
    s->Release();
  for (LayeredSprite* body : {&standBody, &walkBody, &fireBody}) body->ReleaseLayers();
}

Sprite& WorldSprites::Guard(int i) {
  switch (i) {
    case kGuardStandBody:
      return standBody;
    case kGuardWalkBody:
      return walkBody;
    case kGuardFireBody:
      return fireBody;
    case kGuardStandLegs:
      return standLegs;
    case kGuardWalkLegs:
      return walkLegs;
    case kGuardDying:
      return dying;
    case kGuardDead:
      return dead;
    default:
      IllegalVectorIndex(i, kGuardSprites);
  }
}

}  // namespace lockdown
