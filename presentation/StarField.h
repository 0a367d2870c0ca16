// The star field behind the world: parallax sprites at random depths that drift more slowly
// than the world when the camera moves. Made on the first draw and kept for the run.
#pragma once

#include <string>
#include <vector>

#include "geometry/Point.h"
#include "presentation/Sprite.h"

// Empty until the first drawStars, then 50 stars.
extern std::vector<ParallaxSprite> bigStars;
// The images stars are drawn from.
extern std::vector<std::string> backSprites;
// 100 random points of the level, refilled by resetStars; nothing draws them.
extern std::vector<Point> stars;

void drawStars();
void resetStars();
