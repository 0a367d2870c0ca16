// Every ship of a level other than the player's: not friendly, no secondary gun, driven by
// the AI states. Everything else comes from its ship type.
#pragma once

#include "game/XmlShip.h"

class HoloDisplay : public XmlShip {
 public:
  HoloDisplay() {}
  // Built with its default images (which it has none of).
  explicit HoloDisplay(bool bLoadFrames);

  bool isFriendly() override { return false; }
  SaveLoad* makeCopy() override { return new HoloDisplay(); }
  void loadDefaultFrames() override {}
  // In the editor: the path tool takes this ship's path.
  void activateDefaultCommand() override;
};
