// The abstract ship: a sprite body (SpaceObject) that can be shot, carries guns, is driven by
// AI states and sees points. The ship under the user's control (`player`) runs the player's
// controls instead of its AI. Ship.cpp holds the life cycle, hits, contact and drawing;
// ShipMovement.cpp the thrusts, steering and the player's controls.
#pragma once

#include <fstream>
#include <istream>
#include <ostream>
#include <vector>

#include "core/Timer.h"
#include "game/Agent.h"
#include "game/Gun.h"
#include "game/Looker.h"
#include "game/SpaceObject.h"
#include "geometry/Collisions.h"
#include "geometry/Rect.h"

class Obstacle;
class Projectile;
class Shape;

class Ship : public Shootable, public SpaceObject, public GunUser, public Agent, public Looker {
 public:
  Ship();
  ~Ship() override {}

  std::vector<Point> getPoly() override;
  bool isPtIn(float x, float y) const override;
  using Collidable::isPtIn;
  Point getCenter() const override;
  bool isCollision(Rect& r) override;
  void takeHit(Projectile* p) override;
  virtual void init();
  void initFromFile(std::istream& in) override;
  void saveToFile(std::ostream& out) override;
  void process() override;
  void handleSeePlayer() override;
  virtual float getThrust();
  virtual float getReverseThrust();
  virtual float getLeftThrust();
  virtual float getRightThrust();
  void adjustLists() override;
  void draw() override;
  virtual void drawCommand();
  virtual bool isFriendly() = 0;
  bool shouldChase(Agent* enemy) override;
  void defaultAction() override {}
  void enterAttackState() override;
  void debugInfo(std::ofstream& out) const override;
  bool trigger(Gun* gun) override;
  float getWidth() const override;
  float getHeight() const override;
  float getAngle() const override;
  float getXCenter() const override;
  float getYCenter() const override;
  virtual float getInitHealth() { return 1.0f; }
  void facePoint(Point const& p) override;
  void moveToward(Point const& p) override;
  void handleDodging(Agent* enemy) override;
  bool shouldAttack(Agent* enemy) override;
  void handleFiring() override;
  Agent* getEnemy() override;
  void handleCollision(Obstacle* obstacle) override;
  bool canSee(Agent* agent) override;
  Shape* getSeeShape() override;
  void moveAlongPath() override;
  virtual Gun* getPrimaryGun() = 0;
  virtual Gun* getSecondaryGun() = 0;

  // One frame of the player's controls, instead of the AI.
  void processControlled();
  bool isClickedCommand() const { return commandRect.isClicked(); }
  Rect getCommandRect() const { return commandRect; }
  void placeRandom();
  void setHealth(float newHealth) { health = newHealth; }
  float getHealth() const { return health; }
  void adjustHealth(float amount) { health += amount; }
  bool hasClearShot(Ship* /*target*/) { return true; }
  using Agent::hasClearShot;
  // The distance to p is at least far_dist.
  bool isFar(Point const& p) const;
  bool canSee(Point const& p);
  // One forward-strength thrust straight toward p, whatever the facing.
  void shortThrust(Point const& p);
  // Picks a point near base from which the ship's four corners would be in sight.
  void setDodgePoint(Point const& base);
  void applyForce(float amount, float heading);
  void thrust();
  void reverseThrust();
  void leftThrust();
  void rightThrust();

  float getDesiredAngle() const { return desiredAngle; }
  float getAngleInc() const { return angleInc; }
  Point getDodgePoint() const { return dodgePoint; }
  bool facesPlayer() const { return bFacePlayer; }
  bool isOnRails() const { return bOnRails; }
  Gun* getFirstGun() { return primaryGun; }

 protected:
  Rect commandRect;
  float health;
  Gun* primaryGun;
  Point nextPoint;
  float desiredAngle;
  Point dodgePoint;
  Timer dodgeTimer;
  bool bFacePlayer;
  bool bOnRails;

 private:
  // The sight answer of this step's status line, kept while the ship's state runs.
  struct KeptSight {
    bool bKept = false;
    Point from;
    Point to;
    bool bAnswer = false;
  } keptSight;
};

extern float mouse_sens;
extern float strafeMult;
extern float reverseMult;
extern float death_explosion_size;
extern float max_rotation;
extern float far_dist;

void setMouseSens(float value);
void setStrafeMult(float value);
void setReverseMult(float value);
void setDeathExplosionSize(float value);
void setMaxRot(float value);
void setFarDist(float value);
