// What a ship of a given type does in the frame it first sees the player, and the health a
// player ship starts with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/HoloDisplay.h"
#include "game/PlayerShip.h"
#include "game/ShipWorld.h"

namespace {
char const* const types = R"(<xml>
  <weapon> <name> pop </name> <shot_delay> 5 </shot_delay>
    <projectile> <damage> 1 </damage> </projectile> </weapon>
  <holodisplay> <name> watcher </name> <weapon_name> pop </weapon_name> </holodisplay>
  <holodisplay> <name> switcher </name> <weapon_name> pop </weapon_name>
    <events> <see_player> <switch_state> attack </switch_state> </see_player> </events>
  </holodisplay>
  <holodisplay> <name> tough </name> <max_health> 3 </max_health> </holodisplay>
</xml>)";
}  // namespace

class FirstSightTest : public ShipWorldTest {
 protected:
  void SetUp() override {
    ShipWorldTest::SetUp();
    loadData(types);
  }
};

TEST_F(FirstSightTest, OnFirstSightAShipAttacksAndFiresOnlyIfItsEventsLeftItOnRails) {
  struct Case {
    std::string type;
    int shots;  // fired in the frame of the first sight
  };
  // "switcher" is already attacking when the sight is handled, so that frame fires nothing.
  std::vector<Case> const cases = {{"watcher", 1}, {"switcher", 0}};
  addShip<PlayerShip>("none", 1000, 1500);
  for (Case const& c : cases) {
    HoloDisplay* ship = addShip<HoloDisplay>(c.type, 1000, 1000, 180);
    while (ship->getWeapon().getShotCycles() > 0) ship->getWeapon().process();
    int before = projectiles.size();
    ship->process();
    EXPECT_EQ(ship->getState(), &attackState) << c.type;
    EXPECT_FALSE(ship->isOnRails()) << c.type;
    EXPECT_EQ(projectiles.size() - before, c.shots) << c.type;
  }
}

TEST_F(FirstSightTest, APlayerShipStartsWithItsTypesHealthOrSeven) {
  struct Case {
    std::string type;
    float health;
  };
  std::vector<Case> const cases = {{"tough", 3.0f}, {"watcher", 7.0f}, {"nobody", 7.0f}};
  for (Case const& c : cases)
    EXPECT_FLOAT_EQ(addShip<PlayerShip>(c.type, 500, 500)->getHealth(), c.health) << c.type;
}
