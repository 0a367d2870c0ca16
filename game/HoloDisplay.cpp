#include "game/HoloDisplay.h"

HoloDisplay::HoloDisplay(bool /*bLoadFrames*/) { loadDefaultFrames(); }

void HoloDisplay::activateDefaultCommand() {}
