// Wall tiles: rectangles laid out in 30-unit steps and drawn by repeating the tile image over
// them. In play they are obstacles; in the editor they are placed and extended tile by tile.
#pragma once

#include <istream>
#include <ostream>
#include <vector>

#include "core/Editable.h"
#include "game/Obstacle.h"
#include "geometry/Collisions.h"
#include "geometry/Rect.h"
#include "presentation/Sprite.h"

class Projectile;

// The tile step.
constexpr int TILE_WIDTH = 30;

// A sprite whose shown frame its tile picks.
class TileSprite : public Sprite {
 public:
  void setFrame(int newFrame) { frame = newFrame; }
  int getFrame() const { return frame; }
};

class Tile : public Obstacle, public Shootable, public Rect, public Editable {
 public:
  Tile();

  Rect getObstacleRect() override;
  Rect* getOwnRect() override { return this; }
  void draw() override;

  void initForEditor() override;
  void setToMouse() override;
  void saveToFile(std::ostream& out) override;
  void initFromFile(std::istream& in) override;
  void process() override;
  bool isPtIn(float x, float y) const override;
  bool isCollision(Rect& r) override;
  void takeHit(Projectile* p) override;
  void adjustLists() override;
  bool place(int x, int y) override;
  bool placeOnTile(Tile* lastTile) override;
  void move(float dx, float dy) override;
  float getXCenter() const override;
  float getYCenter() const override;
  Point getCenter() const override;
  SaveLoad* makeCopy() override;
  Rect getBounds() override;
  float getWidth() const override;
  float getHeight() const override;
  void activateDefaultCommand() override;
  std::vector<Point> getPoly() override;

  void init();
  void findEdges();

  TileSprite const& getSprite() const { return sprite; }

  // Which sides are exposed.
  bool bLeftEdge;
  bool bTopEdge;
  bool bRightEdge;
  bool bBottomEdge;

 protected:
  TileSprite sprite;
};

// Has every tile of the game find its exposed sides.
void setEdges();
