#include "game/GameStates.h"

#include "core/GameServices.h"

GameState* gameState = nullptr;
