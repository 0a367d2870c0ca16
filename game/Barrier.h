// Barriers: short-lived walls thrown up across an arc in front of a ship. A barrier follows its
// anchor every frame for a fixed number of frames and sends foreign shots back at their
// shooters; its own ship's shots pass through.
#pragma once

#include <string>
#include <vector>

#include "core/Creatable.h"
#include "game/Obstacle.h"
#include "game/SpaceObject.h"
#include "geometry/Collisions.h"
#include "geometry/Rect.h"

class PathFollower;
class Projectile;

// Fill and border colour of every barrier.
extern std::string barrierColor;

class Barrier : public Obstacle, public Shootable, public Rect, public Creatable2d {
 public:
  Barrier();

  Rect getObstacleRect() override;
  Rect* getOwnRect() override { return this; }
  void draw() override;

  void adjustLists() override;
  void process() override;
  void takeHit(Projectile* proj) override;
  std::vector<Point> getPoly() override;
  bool isPtIn(float x, float y) const override;
  Point getCenter() const override;
  bool isCollision(Rect& r) override;
  Rect getBounds() override;

  void init(BarrierCreator* newSpawner, float newAngleWidth, float newDist, float newThickness,
            int newLifeSpan);
  // Lays the barrier across the arc in front of the spawner.
  void set();

  int getNumCycles() const { return numCycles; }
  int getLifeSpan() const { return lifeSpan; }

 protected:
  // Whether the spawner is still in the world (see the .cpp).
  bool spawnerGone();

  BarrierCreator* spawner;
  float angleWidth;
  float thickness;
  float dist;
  int numCycles;
  int lifeSpan;
  // The spawner's body as the path-follower list holds it, taken while it surely lives.
  PathFollower* spawnerBody;
};

// Makes a barrier, owned by the game's manager.
void createBarrier(BarrierCreator* barrierSpawner, float barrierAngWidth, float barrierDist,
                   float barrierThickness, int barrierLifeSpan);
