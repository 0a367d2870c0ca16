#include "game/PlayerShip.h"

#include "core/GameServices.h"

PlayerShip::PlayerShip() {}

void PlayerShip::init() {
  Ship::init();
  // The first frame's line test reads where the ship was.
  Shape::updateLastPosition();
}

void PlayerShip::initFromFile(std::istream& in) {
  if (!player) player = this;
  XmlShip::initFromFile(in);
}

void PlayerShip::debugInfo(std::ofstream& out) const { Ship::debugInfo(out); }
