// The behaviours of AI ships. Every state object registers itself in agentStates, where the
// "switch_state" action of ship types finds it by class name.
#pragma once

#include "core/VectorUtils.h"

class Agent;

class AgentState {
 public:
  AgentState();
  virtual ~AgentState() {}

  virtual void enter(Agent* /*agent*/) {}
  virtual void process(Agent* agent) = 0;
  virtual void exit(Agent* /*agent*/) {}
};

// Following the path, watching for the player.
class OnRailsState : public AgentState {
 public:
  void enter(Agent* agent) override;
  void process(Agent* agent) override;
};

// Dodging, facing the player and firing while he is in sight.
class AttackState : public AgentState {
 public:
  void enter(Agent* agent) override;
  void process(Agent* agent) override;
};

// Every state ever constructed, in order; built on first use so that states defined anywhere
// can register before main.
VectorInterface<AgentState*>& getAgentStates();
extern VectorInterface<AgentState*>& agentStates;

extern OnRailsState onRailsState;
extern AttackState attackState;
