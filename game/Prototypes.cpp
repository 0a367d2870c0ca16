#include "game/Prototypes.h"

#include "game/FenceNode.h"
#include "game/HoloDisplay.h"
#include "game/PlayerShip.h"

// Looked up in list order: the player ship, the enemy ship and the fence post.
std::vector<SaveLoad*> getEditorProtos() {
  std::vector<SaveLoad*> protos;
  protos.push_back(new PlayerShip());
  protos.push_back(new HoloDisplay());
  protos.push_back(new FenceNode());
  return protos;
}

std::vector<SaveLoad*> getPrototypes() { return getEditorProtos(); }

std::vector<Item*> getItemProtos() { return std::vector<Item*>(); }
