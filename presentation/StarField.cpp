#include "presentation/StarField.h"

#include <cstdlib>

#include "core/Utils.h"
#include "geometry/Rect.h"
#include "presentation/View.h"

std::vector<ParallaxSprite> bigStars;
std::vector<std::string> backSprites;
std::vector<Point> stars;

namespace {
const int numBigStars = 50;
const int numStars = 100;

void makeStars() {
  backSprites.push_back("bigStar.bmp");
  bigStars.resize(numBigStars);
  for (ParallaxSprite& star : bigStars) {
    star.loadFrame(backSprites.at(rand() % backSprites.size()), true);
    // 1.01 to 6.00: every star lies deeper than the world.
    float depth = static_cast<float>(randRange(1, 5)) + randFloat() + 0.01f;
    star.setParallax(depth, 1.0f);
    Point place = getRandomPoint(worldBounds);
    star.setCenter(static_cast<float>(place.x), static_cast<float>(place.y));
  }
}
}  // namespace

void drawStars() {
  if (bigStars.empty()) makeStars();
  for (ParallaxSprite& star : bigStars) star.draw();
}

void resetStars() {
  stars.clear();
  for (int i = 0; i < numStars; i++) stars.push_back(getRandomPoint(worldBounds));
}
