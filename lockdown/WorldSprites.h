// The sprites of the world objects, cut from the sheet when the graphics are loaded and
// shared by every object of a class.
#pragma once

#include "lockdown/LayeredSprite.h"
#include "lockdown/Sprite.h"

namespace lockdown {

// Indexes into the guard sprite list.
enum GuardSprite {
  kGuardStandBody,
  kGuardWalkBody,
  kGuardFireBody,
  kGuardStandLegs,
  kGuardWalkLegs,
  kGuardDying,
  kGuardDead,
  kGuardSprites
};

struct WorldSprites {
  // One frame per tile look; a tile's "sprite" picks the frame.
  Sprite tile, stairs;
  Sprite zizuzu, flash, debris, reticle;
  Sprite turret, tank, terminal, terminalScreen;
  LayeredSprite standBody, walkBody, fireBody;
  Sprite standLegs, walkLegs, dying, dead;

  bool Cut();
  void Release();
  // The guard sprite list, in GuardSprite order.
  Sprite& Guard(int i);
};

extern WorldSprites worldSprites;

// A tile look index kept within the looks the sheet has.
int TileLookCount();
int StairsLookCount();
// The turret's scheme shows the mounting plate on the side of its tile (its direction),
// dimmed while it is switched off; the tank's is greyed while switched off. Scheme 0 when
// the sheet has none.
int TurretScheme(int direction, bool bActive);
int TankScheme(bool bActive);

}  // namespace lockdown
