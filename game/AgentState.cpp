#include "game/AgentState.h"

#include "core/GameServices.h"
#include "game/Agent.h"
#include "game/Ship.h"

VectorInterface<AgentState*>& getAgentStates() {
  static VectorInterface<AgentState*> states;
  return states;
}

VectorInterface<AgentState*>& agentStates = getAgentStates();

// After the registry in this file, so that both exist before main.
OnRailsState onRailsState;
AttackState attackState;

AgentState::AgentState() { getAgentStates().push_back(this); }

void OnRailsState::enter(Agent* agent) { agent->bSeenPlayer = false; }

void OnRailsState::process(Agent* agent) {
  agent->moveAlongPath();
  if (!player || !agent->canSee(static_cast<Agent*>(player))) return;
  if (!agent->bSeenPlayer) {
    agent->handleSeePlayerFirst();
    agent->bSeenPlayer = true;
  }
  agent->handleSeePlayer();
}

void AttackState::enter(Agent* agent) { agent->enterAttackState(); }

void AttackState::process(Agent* agent) {
  Agent* enemy = agent->getEnemy();
  if (!enemy) return;
  if (agent->shouldAttack(enemy)) {
    agent->handleDodging(enemy);
    agent->facePoint(enemy->getCenter());
    if (agent->hasClearShot(enemy)) agent->handleFiring();
  } else if (agent->shouldChase(enemy)) {
    agent->moveToward(enemy->getCenter());
  } else {
    agent->defaultAction();
  }
}
