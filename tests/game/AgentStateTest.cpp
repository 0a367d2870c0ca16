#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/GameServices.h"
#include "game/Agent.h"
#include "game/AgentState.h"
#include "game/PlayerShip.h"
#include "support/LogCapture.h"

// An agent that answers the states' questions from its fields and records what it was told.
class TestRecordingAgent : public Agent {
 public:
  bool canSee(Agent*) override { return bSees; }
  bool hasClearShot(Agent*) override { return bClear; }
  void facePoint(Point const&) override { calls.push_back("facePoint"); }
  void moveToward(Point const&) override { calls.push_back("moveToward"); }
  void handleFiring() override { calls.push_back("handleFiring"); }
  Agent* getEnemy() override { return enemy; }
  Point getCenter() const override { return Point(0, 0); }
  void handleDodging(Agent*) override { calls.push_back("handleDodging"); }
  void handleSeePlayer() override { calls.push_back("handleSeePlayer"); }
  void handleSeePlayerFirst() override { calls.push_back("handleSeePlayerFirst"); }
  void moveAlongPath() override { calls.push_back("moveAlongPath"); }
  bool shouldAttack(Agent*) override { return bAttack; }
  bool shouldChase(Agent*) override { return bChase; }
  void defaultAction() override { calls.push_back("defaultAction"); }
  void enterAttackState() override { calls.push_back("enterAttackState"); }

  std::vector<std::string> calls;
  bool bSees = false, bAttack = false, bChase = false, bClear = true;
  Agent* enemy = nullptr;
};

using Calls = std::vector<std::string>;

TEST(AgentStateTest, BothStatesAreRegisteredBeforeMainInOrder) {
  ASSERT_EQ(agentStates.size(), 2);
  EXPECT_EQ(agentStates.at(0), &onRailsState);
  EXPECT_EQ(agentStates.at(1), &attackState);
}

TEST(AgentStateTest, InitStateSetsWithoutEnteringAndComplainsWhenAlreadySet) {
  LogCapture log;
  TestRecordingAgent agent;
  agent.bSeenPlayer = true;
  agent.initState(onRailsState);
  EXPECT_EQ(agent.getState(), &onRailsState);
  EXPECT_TRUE(agent.bSeenPlayer);  // enter was not run
  agent.initState(attackState);
  EXPECT_EQ(agent.getState(), &attackState);
  EXPECT_EQ(log.lines(), Calls{"Error: initState called when currState already set, should use "
                               "switch state?"});
}

TEST(AgentStateTest, SwitchingExitsAndEntersEvenTheSameState) {
  LogCapture log;
  TestRecordingAgent agent;
  agent.switchState(attackState);
  agent.switchState(attackState);
  EXPECT_EQ(agent.calls, (Calls{"enterAttackState", "enterAttackState"}));
  agent.bSeenPlayer = true;
  agent.switchState(&onRailsState);
  EXPECT_FALSE(agent.bSeenPlayer);
  agent.switchState(static_cast<AgentState*>(nullptr));
  EXPECT_EQ(agent.getState(), &onRailsState);
  EXPECT_EQ(log.lines(), Calls{"Error: NULL state passed to Agent :: switch_state"});
}

TEST(AgentStateTest, OnRailsWithoutAPlayerOnlyFollowsThePath) {
  TestRecordingAgent agent;
  agent.bSees = true;
  agent.initState(onRailsState);
  agent.process();
  agent.process();
  EXPECT_EQ(agent.calls, (Calls{"moveAlongPath", "moveAlongPath"}));
}

TEST(AgentStateTest, FirstSightRunsOnceUntilTheStateIsEnteredAgain) {
  PlayerShip ship;
  player = &ship;
  TestRecordingAgent agent;
  agent.initState(onRailsState);
  agent.process();  // not in sight
  agent.bSees = true;
  agent.process();
  agent.process();
  EXPECT_EQ(agent.calls, (Calls{"moveAlongPath", "moveAlongPath", "handleSeePlayerFirst",
                                "handleSeePlayer", "moveAlongPath", "handleSeePlayer"}));
  agent.calls.clear();
  agent.switchState(onRailsState);
  agent.process();
  EXPECT_EQ(agent.calls, (Calls{"moveAlongPath", "handleSeePlayerFirst", "handleSeePlayer"}));
  player = nullptr;
}

TEST(AgentStateTest, AttackStateDecidesByWhatTheAgentAnswers) {
  struct Case {
    bool bEnemy, bAttack, bChase, bClear;
    Calls expected;
  };
  std::vector<Case> const cases = {
      {false, true, true, true, {}},
      {true, true, false, true, {"handleDodging", "facePoint", "handleFiring"}},
      {true, true, true, false, {"handleDodging", "facePoint"}},
      {true, false, true, true, {"moveToward"}},
      {true, false, false, true, {"defaultAction"}},
  };
  for (Case const& c : cases) {
    TestRecordingAgent enemy;
    TestRecordingAgent agent;
    agent.enemy = c.bEnemy ? &enemy : nullptr;
    agent.bAttack = c.bAttack;
    agent.bChase = c.bChase;
    agent.bClear = c.bClear;
    agent.initState(attackState);
    agent.process();
    EXPECT_EQ(agent.calls, c.expected) << c.bEnemy << c.bAttack << c.bChase << c.bClear;
  }
}

TEST(AgentStateTest, DefaultFacingNeedsASprite) {
  LogCapture log;
  TestRecordingAgent agent;  // not a sprite by the class table
  agent.Agent::facePoint(Point(5, 5));
  ASSERT_FALSE(log.lines().empty());
  EXPECT_EQ(log.lines().back(), "Error: agent is not a sprite, facePoint should be overridden");
}
