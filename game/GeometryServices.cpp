// The game-play globals that the geometry code reads.
#include "core/GameServices.h"

#if __has_include("game/Ship.h")
#include "game/Ship.h"
#define QOR_HAVE_SHIP 1
#endif

float speedMultiplier = 1.0f;

float getXmlSpeedMultiplier() { return speedMultiplier; }

Ship* player = nullptr;

SimpleRect const* getPlayerRect() {
#ifdef QOR_HAVE_SHIP
  return player;
#else
  // Without the ship classes nothing can be the player.
  return nullptr;
#endif
}
