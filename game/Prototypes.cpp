#include "game/Prototypes.h"

// Looked up in list order. The ship, enemy ship and fence post prototypes ("PlayerShip",
// "HoloDisplay", "FenceNode", in that order) join this set when their classes exist.
std::vector<SaveLoad*> getEditorProtos() { return std::vector<SaveLoad*>(); }

std::vector<SaveLoad*> getPrototypes() { return getEditorProtos(); }

std::vector<Item*> getItemProtos() { return std::vector<Item*>(); }
