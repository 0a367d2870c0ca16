// The game-play globals that the geometry code reads.
#include "core/GameServices.h"
#include "game/Ship.h"

float speedMultiplier = 1.0f;

float getXmlSpeedMultiplier() { return speedMultiplier; }

Ship* player = nullptr;

SimpleRect const* getPlayerRect() { return player; }
