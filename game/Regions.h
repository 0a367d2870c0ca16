// The level's region grids: the draw regions in which the game's object manager registers
// fences and fence posts, laid out at every level load, and the tile grid.
#pragma once

#include "core/TypedLists.h"
#include "game/QorObjMan.h"
#include "geometry/Regions.h"
#include "geometry/TileRegions.h"

class Tile;
// Named classes rather than aliases, so that their run-time names are the plain ones.
class TileRegion : public TileRegionOf<Tile> {};
class TileRegions : public TileRegionsOf<Tile, TileRegion> {};

extern DrawRegions drawRegions;
extern TileRegions tileRegions;

// The level loader's step after the level bounds are read and before the objects are loaded.
void setUpRegions();

// Merges the level's neighbouring wall tiles; the merged ones are deleted through the game's
// object manager.
template <class T = Tile>
void makeBigTiles() {
  mergeTiles<T>(allTiles, [](T* tile) { objMan.deleteObject(tile, true); });
}
