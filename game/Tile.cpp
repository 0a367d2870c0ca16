#include "game/Tile.h"

#include <SDL.h>

#include <cmath>

#include "core/TypedLists.h"
#include "game/Level.h"
#include "presentation/Keyboard.h"
#include "presentation/Mouse.h"
#include "presentation/View.h"

Tile::Tile()
    : Rect(0, 0, TILE_WIDTH, TILE_WIDTH),
      bLeftEdge(false),
      bTopEdge(false),
      bRightEdge(false),
      bBottomEdge(false) {}

Rect Tile::getObstacleRect() { return Rect(static_cast<Rect const&>(*this)); }

void Tile::draw() {
  if (bEdit) {
    sprite.setCenter(SimpleRect::getCenter());
    sprite.draw();
    return;
  }
  sprite.setFrame(getWidth() >= getHeight() ? 1 : 0);
  for (float y = getTop(); y < getBottom(); y += TILE_WIDTH) {
    for (float x = getLeft(); x < getRight(); x += TILE_WIDTH) {
      sprite.setLeft(x);
      sprite.setTop(y);
      sprite.draw();
    }
  }
}

void Tile::initForEditor() {
  sprite.loadAnimation("tile", false, ".bmp");
  setRect(sprite);
}

void Tile::setToMouse() {
  SimpleRect::setCenter(static_cast<float>(mouse.x), static_cast<float>(mouse.y));
}

void Tile::saveToFile(std::ostream& /*out*/) {}

void Tile::initFromFile(std::istream& /*in*/) { sprite.loadAnimation("tile", false, ".bmp"); }

void Tile::process() {}

bool Tile::isPtIn(float x, float y) const { return SimpleRect::isPtInRect(x, y); }

bool Tile::isCollision(Rect& r) { return SimpleRect::isCollision(r); }

void Tile::takeHit(Projectile* /*p*/) {}

// A tile leaves every list it may be in: one added in play and removed in the editor (or the
// other way round) must not stay behind in a list as a dangling pointer.
void Tile::adjustLists() {
  if (!bAddingObject) {
    editorTiles.modify(this);
    allTiles.modify(this);
    obstacles.modify(static_cast<Obstacle*>(this));
    return;
  }
  if (bEdit) {
    editorTiles.modify(this);
  } else {
    allTiles.modify(this);
    obstacles.modify(static_cast<Obstacle*>(this));
  }
}

bool Tile::place(int x, int y) {
  setLeft(static_cast<float>(x - TILE_WIDTH / 2));
  setTop(static_cast<float>(y - TILE_WIDTH / 2));
  if (getTop() < 0) setTop(0);
  if (getRight() > worldBounds.getRight()) setRight(worldBounds.getRight());
  if (getBottom() > worldBounds.getBottom()) setBottom(worldBounds.getBottom());
  return true;
}

bool Tile::placeOnTile(Tile* lastTile) {
  if (!lastTile) return false;
  setRect(*lastTile);
  float dx = 0, dy = 0;
  if (keys[SDLK_LEFT]) {
    dx = -TILE_WIDTH;
  } else if (keys[SDLK_RIGHT]) {
    dx = TILE_WIDTH;
  } else if (keys[SDLK_UP]) {
    dy = -TILE_WIDTH;
  } else if (keys[SDLK_DOWN]) {
    dy = TILE_WIDTH;
  } else if (mouse.leftReleased()) {
    Point center = SimpleRect::getCenter();
    double offX = mouse.x - center.x;
    double offY = mouse.y - center.y;
    if (std::fabs(offX) > std::fabs(offY))
      dx = offX < 0 ? -TILE_WIDTH : TILE_WIDTH;
    else
      dy = offY < 0 ? -TILE_WIDTH : TILE_WIDTH;
  } else {
    return false;
  }
  SimpleRect::move(dx, dy);
  return lastTile->getLeft() >= 0 && lastTile->getTop() >= 0 &&
         lastTile->getRight() <= worldBounds.getRight() &&
         lastTile->getBottom() <= worldBounds.getBottom();
}

void Tile::move(float dx, float dy) { SimpleRect::move(dx, dy); }

float Tile::getXCenter() const { return SimpleRect::getXCenter(); }

float Tile::getYCenter() const { return SimpleRect::getYCenter(); }

Point Tile::getCenter() const { return SimpleRect::getCenter(); }

SaveLoad* Tile::makeCopy() { return new Tile; }

Rect Tile::getBounds() { return Rect(static_cast<Rect const&>(*this)); }

float Tile::getWidth() const { return SimpleRect::getWidth(); }

float Tile::getHeight() const { return SimpleRect::getHeight(); }

void Tile::activateDefaultCommand() {}

std::vector<Point> Tile::getPoly() { return SimpleRect::getPoly(); }

void Tile::init() {}

void Tile::findEdges() {}

void setEdges() {
  for (int i = 0; i < allTiles.size(); i++) allTiles.at(i)->findEdges();
}
