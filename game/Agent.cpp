#include "game/Agent.h"

#include "core/Debug.h"
#include "core/GetParents.h"
#include "game/AgentState.h"
#include "presentation/Sprite.h"

Agent::Agent() : bSeenPlayer(false), currState(nullptr) {}

void Agent::process() {
  if (currState) currState->process(this);
}

bool Agent::hasClearShot(Agent* /*agent*/) { return true; }

void Agent::facePoint(Point const& p) {
  if (!isOfType(this, "Sprite")) {
    recordError("Error: agent is not a sprite, facePoint should be overridden");
    return;
  }
  Sprite* sprite = dynamic_cast<Sprite*>(this);
  if (sprite) sprite->setAngle(static_cast<float>(getAngle(getCenter(), p)));
}

void Agent::initState(AgentState& state) {
  if (currState)
    recordError("Error: initState called when currState already set, should use switch state?");
  currState = &state;
}

void Agent::switchState(AgentState& state) {
  if (currState) currState->exit(this);
  currState = &state;
  currState->enter(this);
}

void Agent::switchState(AgentState* state) {
  if (!state) {
    recordError("Error: NULL state passed to Agent :: switch_state");
    return;
  }
  switchState(*state);
}
