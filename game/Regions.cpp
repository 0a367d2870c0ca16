#include "game/Regions.h"

DrawRegions drawRegions;
TileRegions tileRegions;

void setUpRegions() { drawRegions.setUp(NUM_REGION_ROWS, NUM_REGION_COLS); }
