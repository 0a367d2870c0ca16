#include "game/PlayerShip.h"

#include "core/GameServices.h"
#include "game/GameStates.h"

PlayerShip::PlayerShip() {}

PlayerShip::~PlayerShip() {
  if (player == this) player = nullptr;
}

void PlayerShip::init() {
  Ship::init();
  // The first frame's line test reads where the ship was.
  Shape::updateLastPosition();
}

void PlayerShip::initFromFile(std::istream& in) {
  // In command mode no ship is flown until the user picks one.
  if (!player && gameState != &commandState) player = this;
  XmlShip::initFromFile(in);
}

void PlayerShip::debugInfo(std::ofstream& out) const { Ship::debugInfo(out); }
