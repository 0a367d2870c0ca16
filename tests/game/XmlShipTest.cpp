#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/StringConversions.h"
#include "game/Console.h"
#include "game/HoloDisplay.h"
#include "game/PlayerShip.h"
#include "game/Projectile.h"
#include "game/ShipWorld.h"
#include "game/XmlShip.h"

namespace {
char const* const types = R"(<xml>
  <weapon> <name> test_gun </name> <shot_delay> 10 </shot_delay> </weapon>
  <holodisplay> <name> test_pirate </name> <max_health> 3 </max_health> <max_speed> 4 </max_speed>
    <weapon_name> test_gun </weapon_name> <face_player> 1 </face_player>
    <events>
      <take_hit> <switch_state> Attack </switch_state> </take_hit>
      <take_hit> <play_sound> hit </play_sound> <explode> now </explode> </take_hit>
      <see_player> <switch_state> attackstate </switch_state> </see_player>
    </events>
    <colour> red </colour>
  </holodisplay>
  <holodisplay> <name> calm </name> <face_player> 0 </face_player> </holodisplay>
</xml>)";

bool logHas(LogCapture const& log, std::string const& line) {
  for (std::string const& l : log.lines())
    if (l == line) return true;
  return false;
}
}  // namespace

class XmlShipTest : public ShipWorldTest {
 protected:
  void SetUp() override {
    ShipWorldTest::SetUp();
    loadData(types);
  }
};

TEST_F(XmlShipTest, TypePropertiesAreAppliedInOrder) {
  HoloDisplay* ship = addShip<HoloDisplay>("test_pirate", 100, 100);
  EXPECT_EQ(ship->getName(), "test_pirate");
  EXPECT_FLOAT_EQ(ship->getHealth(), 3.0f);
  EXPECT_FLOAT_EQ(ship->maxSpeed, 4.0f);
  EXPECT_FLOAT_EQ(ship->getBaseSpeed(), 4.0f);
  EXPECT_EQ(ship->getWeapon().getBaseShotDelay(), 10);
  EXPECT_TRUE(ship->facesPlayer());
  EXPECT_EQ(ship->getEvents().size(), 3);
  EXPECT_TRUE(ship->isFlippedVertically());
  EXPECT_TRUE(logHas(log, "Error: unknown tag passed to holodisplay: colour"));
}

TEST_F(XmlShipTest, FacePlayerZeroLeavesItOff) {
  EXPECT_FALSE(addShip<HoloDisplay>("calm", 0, 0)->facesPlayer());
}

TEST_F(XmlShipTest, AnUnknownTypeKeepsTheClassDefaults) {
  HoloDisplay* enemy = addShip<HoloDisplay>("nobody", 100, 100);
  PlayerShip* own = addShip<PlayerShip>("nobody", 300, 100);
  EXPECT_FLOAT_EQ(enemy->getHealth(), 1.0f);
  EXPECT_FLOAT_EQ(own->getHealth(), 7.0f);
  EXPECT_EQ(enemy->getWeapon().getBaseShotDelay(), -1);
  EXPECT_FALSE(enemy->facesPlayer());
  EXPECT_TRUE(logHas(log, "Error: type not found in XmlObject::setType: nobody"));
}

TEST_F(XmlShipTest, EveryTakeHitEventRunsBeforeTheDamage) {
  HoloDisplay* ship = addShip<HoloDisplay>("test_pirate", 100, 100);
  ParameterProjectile shot;
  ship->takeHit(&shot);
  EXPECT_EQ(ship->getState(), &attackState);
  EXPECT_FALSE(ship->isOnRails());
  EXPECT_FLOAT_EQ(ship->getHealth(), 2.0f);
  std::vector<std::string> lines = log.lines();
  int actionRuns = 0;
  for (std::string const& l : lines) actionRuns += l == "take Action";
  EXPECT_EQ(actionRuns, 2);
  EXPECT_TRUE(logHas(log, "Error: unrecognized action in takeAction: explode"));
}

TEST_F(XmlShipTest, SwitchStateNamesAreLoweredWithStateAppended) {
  struct Case {
    std::string name;
    AgentState* expected;  // null: not found
  };
  std::vector<Case> const cases = {{"Attack", &attackState},   {"attack", &attackState},
                                   {"ATTACK", &attackState},   {"onrails", &onRailsState},
                                   {"OnRails", &onRailsState}, {"attackstate", nullptr},
                                   {"wander", nullptr}};
  for (Case const& c : cases) {
    HoloDisplay* ship = addShip<HoloDisplay>("calm", 0, 0);
    XmlElement action;
    action.setTag("switch_state");
    action.addArgument(c.name);
    XmlElement actions;
    actions.addArgument(action);
    LogCapture caseLog;
    ship->takeAction(actions.getArguments());
    if (c.expected) {
      EXPECT_EQ(ship->getState(), c.expected) << c.name;
    } else {
      EXPECT_EQ(ship->getState(), &onRailsState) << c.name;
      std::string lowered = toLower(c.name) + "state";
      EXPECT_EQ(caseLog.lines(),
                (std::vector<std::string>{"take Action", "Error: unrecognized state: " + lowered,
                                          "Command given to: HoloDisplay"}));
    }
  }
}

TEST_F(XmlShipTest, SavedRecordStartsWithTheTypeNameOrTheDefaultType) {
  HoloDisplay* named = addShip<HoloDisplay>("test_pirate", 120, 80, 45);
  std::ostringstream out;
  named->saveToFile(out);
  EXPECT_EQ(out.str().substr(0, 12), "test_pirate\n");
  HoloDisplay unnamed;
  std::ostringstream plain;
  unnamed.saveToFile(plain);
  EXPECT_EQ(plain.str().substr(0, 14), "global_pirate\n");
  setDefaultHolodisplay("drone");
  std::ostringstream changed;
  unnamed.saveToFile(changed);
  EXPECT_EQ(changed.str().substr(0, 6), "drone\n");
  EXPECT_EQ(getDefaultHoloType(), "drone");
  // The record reads back into the same ship.
  std::istringstream in(out.str());
  HoloDisplay copy;
  copy.initFromFile(in);
  EXPECT_EQ(copy.getName(), "test_pirate");
  EXPECT_FLOAT_EQ(copy.getAngle(), 45.0f);
  EXPECT_NEAR(copy.getCenter().x, named->getCenter().x, 0.01);
}

TEST_F(XmlShipTest, TheFirstPlayerShipReadBecomesThePlayer) {
  PlayerShip* first = addShip<PlayerShip>("calm", 0, 0);
  PlayerShip* second = addShip<PlayerShip>("calm", 100, 0);
  EXPECT_EQ(player, first);
  EXPECT_EQ(friendlyShips.size(), 2);
  EXPECT_TRUE(second->isFriendly());
  EXPECT_FALSE(addShip<HoloDisplay>("calm", 0, 0)->isFriendly());
  EXPECT_EQ(first->getGuns().size(), 2u);
  EXPECT_EQ(first->getSecondaryGun(), first->getGuns()[1]);
  // Only while it is the player does it run the controls; the other runs the AI.
  second->process();
  EXPECT_EQ(info[3], "current state: OnRailsState");
}

namespace {
// A ship's events and the shots of its gun, as text.
std::string eventsAndShots(XmlShip* ship) {
  std::ostringstream out;
  for (int i = 0; i < ship->getEvents().size(); i++) {
    XmlElement event = ship->getEvents().getAt(i);
    event.save(out, 0);
  }
  out << "shots:";
  for (auto const& shot : ship->getWeapon().getProjectileTypes())
    for (int i = 0; i < shot->size(); i++) {
      XmlElement property = shot->getAt(i).getAsElement();
      property.save(out, 0);
    }
  return out.str();
}

// The first element of the type's property tagged tag, to change the type in place.
XmlElement& propertyOf(VectorInterface<XmlParameters>& types, std::string const& name,
                       std::string const& tag) {
  for (int i = 0; i < types.size(); i++) {
    if (types.at(i).getName() != name) continue;
    for (int j = 0; j < types.at(i).size(); j++)
      if (types.at(i).at(j).getAsElement().getTag() == tag) return types.at(i).at(j).getAsElement();
  }
  ADD_FAILURE() << "no " << tag << " in " << name;
  static XmlElement none;
  return none;
}
}  // namespace

// Ships take the events and shots of their type as it stands when they are read: a ship of
// another type gets that type's own, and ships read before a type changes keep what they had.
TEST_F(XmlShipTest, ShipsTakeTheEventsAndShotsOfTheirTypeAsItStands) {
  loadData(R"(<xml>
    <weapon> <name> twin </name> <projectile> <damage> 2 </damage> </projectile> </weapon>
    <weapon> <name> single </name> <projectile> <damage> 5 </damage> </projectile> </weapon>
    <holodisplay> <name> first </name> <weapon_name> twin </weapon_name>
      <events> <take_hit> <play_sound> a </play_sound> </take_hit> </events> </holodisplay>
    <holodisplay> <name> second </name> <weapon_name> single </weapon_name>
      <events> <take_hit> <play_sound> b </play_sound> </take_hit> </events> </holodisplay>
    <holodisplay> <name> doubled </name> <weapon_name> twin </weapon_name>
      <events> <take_hit> <play_sound> a </play_sound> </take_hit> </events>
      <events> <see_player> <play_sound> b </play_sound> </see_player> </events> </holodisplay>
  </xml>)");
  std::string const first =
      "<take_hit>     <play_sound> a </play_sound>\n</take_hit>\nshots:<damage> 2 </damage>\n";
  std::string const second =
      "<take_hit>     <play_sound> b </play_sound>\n</take_hit>\nshots:<damage> 5 </damage>\n";
  std::string const doubled =
      "<take_hit>     <play_sound> a </play_sound>\n</take_hit>\n"
      "<see_player>     <play_sound> b </play_sound>\n</see_player>\nshots:<damage> 2 </damage>\n";
  HoloDisplay* a1 = addShip<HoloDisplay>("first", 0, 0);
  HoloDisplay* b1 = addShip<HoloDisplay>("second", 0, 0);
  HoloDisplay* d1 = addShip<HoloDisplay>("doubled", 0, 0);
  HoloDisplay* a2 = addShip<HoloDisplay>("first", 0, 0);
  HoloDisplay* d2 = addShip<HoloDisplay>("doubled", 0, 0);
  EXPECT_EQ(eventsAndShots(a1), first);
  EXPECT_EQ(eventsAndShots(b1), second);
  EXPECT_EQ(eventsAndShots(d1), doubled);
  EXPECT_EQ(eventsAndShots(a2), first);
  EXPECT_EQ(eventsAndShots(d2), doubled);

  // The type "first" now plays c and its weapon does 7.
  propertyOf(holoTypes, "first", "events")
      .getArguments()
      .at(0)
      .getArguments()
      .at(0)
      .getArguments()
      .at(0) = XmlArgument(std::string("c"));
  propertyOf(weaponTypes, "twin", "projectile").getArguments().at(0).getArguments().at(0) =
      XmlArgument(std::string("7"));
  HoloDisplay* a3 = addShip<HoloDisplay>("first", 0, 0);
  EXPECT_EQ(
      eventsAndShots(a3),
      "<take_hit>     <play_sound> c </play_sound>\n</take_hit>\nshots:<damage> 7 </damage>\n");
  EXPECT_EQ(eventsAndShots(a1), first);
  EXPECT_EQ(eventsAndShots(a2), first);
  EXPECT_EQ(eventsAndShots(b1), second);
}
