#include "game/Explosion.h"

#include <cstdlib>

#include "core/TypedLists.h"
#include "core/Utils.h"
#include "game/QorObjMan.h"

Explosion::Explosion() : explosionSize(0) {}

void Explosion::adjustLists() { explosions.modify(this); }

void Explosion::process() {
  float total = static_cast<float>(timer.totalTime());
  // A zero duration would divide by zero: such a burst is at full size at once.
  float grown = total > 0 ? timer.timeElapsed() * explosionSize / total : explosionSize;
  for (Circle& circle : circles) circle.setR(grown);
  if (isDone()) objMan.deleteObject(this, true);
}

void Explosion::draw() {
  for (Circle& circle : circles) circle.draw();
}

Rect Explosion::getBounds() {
  Rect bounds(300.0f, 300.0f);
  if (!circles.empty()) bounds.setCenter(circles.front().getCenter());
  return bounds;
}

Point Explosion::getCenter() const {
  if (circles.empty()) return Point(-1.0, -1.0);
  return circles.front().getCenter();
}

void Explosion::init(Point const& center, float size, float t) {
  explosionSize = size;
  int count = randRange(5, 10);
  for (int i = 0; i < count; i++) {
    float dx = randRange(static_cast<double>(size));
    float dy = randRange(static_cast<double>(size));
    Circle circle(Point(center.x + dx, center.y + dy), 1.0f);
    int green = randRange(70, 255);
    int blue = std::rand() % 60;
    circle.setColorTo(Color(255, green, blue));
    circles.push_back(circle);
  }
  timer.set(static_cast<int>(t));
}

bool Explosion::isDone() { return timer.isUp(); }

void explosion(Point const& center, float newScale) {
  Explosion* burst = new Explosion;
  burst->init(center, newScale, static_cast<float>(randRange(200, 700)));
  objMan.newObject(burst);
}
