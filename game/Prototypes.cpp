#include "game/Prototypes.h"

#include "game/WorldParts.h"

// Looked up in list order: the player ship, the enemy ship and the fence post.
std::vector<SaveLoad*> getEditorProtos() {
  std::vector<SaveLoad*> protos;
#ifdef QOR_HAVE_PLAYER_SHIP
  protos.push_back(new PlayerShip());
#endif
#ifdef QOR_HAVE_HOLO_DISPLAY
  protos.push_back(new HoloDisplay());
#endif
#ifdef QOR_HAVE_FENCE_NODE
  protos.push_back(new FenceNode());
#endif
  return protos;
}

std::vector<SaveLoad*> getPrototypes() { return getEditorProtos(); }

std::vector<Item*> getItemProtos() { return std::vector<Item*>(); }
