// The ship the user flies: friendly, 7.0 hit points, and a barrier-throwing secondary gun.
// The first one read from a level becomes `player` (unless command mode is current, where the
// user picks one); any further one is a friendly AI ship.
#pragma once

#include <fstream>
#include <istream>

#include "game/Gun.h"
#include "game/XmlShip.h"

class PlayerShip : public XmlShip {
 public:
  PlayerShip();
  // A ship the level loader refuses after it became the player's is no longer flown.
  ~PlayerShip() override;

  void init() override;
  void initFromFile(std::istream& in) override;
  bool isFriendly() override { return true; }
  void debugInfo(std::ofstream& out) const override;
  float getInitHealth() override { return 7.0f; }
  Gun* getSecondaryGun() override { return &reflectGun; }
  SaveLoad* makeCopy() override { return new PlayerShip(); }
  void loadDefaultFrames() override {}
  void activateDefaultCommand() override {}

 protected:
  ReflectGun reflectGun;
};
