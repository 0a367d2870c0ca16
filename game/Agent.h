// The AI of ships: an Agent is driven by its current AgentState, one shared state object per
// kind of behaviour. States hold no per-ship data; what a state needs to know of a ship it
// asks the agent. The ship answers every question (see Ship).
#pragma once

#include "geometry/Point.h"

class AgentState;

class Agent {
 public:
  Agent();
  virtual ~Agent() {}

  // One frame of the current state.
  virtual void process();
  virtual bool canSee(Agent* agent) = 0;
  virtual bool hasClearShot(Agent* agent);
  // Turns a sprite to face the point; every ship replaces it.
  virtual void facePoint(Point const& p);
  virtual void moveToward(Point const& p) = 0;
  virtual void handleFiring() = 0;
  virtual Agent* getEnemy() = 0;
  virtual Point getCenter() const = 0;
  virtual void handleDodging(Agent* enemy) = 0;
  virtual void handleSeePlayer() = 0;
  virtual void handleSeePlayerFirst() = 0;
  virtual void moveAlongPath() = 0;
  virtual bool shouldAttack(Agent* enemy) = 0;
  virtual bool shouldChase(Agent* enemy) = 0;
  virtual void defaultAction() {}
  virtual void enterAttackState() {}

  // The first state, set without entering it.
  void initState(AgentState& state);
  // Leaves the current state and enters the new one (even when it is the same).
  void switchState(AgentState& state);
  void switchState(AgentState* state);
  float getXCenter() const { return static_cast<float>(getCenter().x); }
  float getYCenter() const { return static_cast<float>(getCenter().y); }
  AgentState* getState() const { return currState; }

  // Set once the player has been seen on rails; cleared on entering the on-rails state.
  bool bSeenPlayer;

 protected:
  AgentState* currState;
};
