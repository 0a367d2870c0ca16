// Weapon types with frame counts too large for the cool-down counter: the counts stay at the
// largest value instead of wrapping round to a negative cool-down that fires every frame.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "game/Gun.h"
#include "game/ShipWorld.h"

class HostileWeaponDataTest : public ShipWorldTest {};

TEST_F(HostileWeaponDataTest, HugeShotDelaysAndLoudnessStayInRange) {
  struct Case {
    std::string delay;
    int lowest;  // of the drawn cool-downs
  };
  // The largest int read as a float is one above the largest int.
  std::vector<Case> const cases = {{"2147483647", INT_MAX}, {"2000000000", 2000000000}};
  for (Case const& c : cases) {
    loadData("<xml> <weapon> <name> w" + c.delay + " </name> <shot_delay> " + c.delay +
             " </shot_delay> <loudness> " + c.delay + " </loudness> </weapon> </xml>");
    ShipGun gun;
    gun.setType(weaponTypes, "w" + c.delay);
    EXPECT_GE(gun.getBaseShotDelay(), 0) << c.delay;
    EXPECT_GE(gun.getLoudness(), 0) << c.delay;
    for (int i = 0; i < 40; i++) {
      int delay = gun.getShotDelay();
      EXPECT_GE(delay, c.lowest) << c.delay;
    }
  }
  // Below the range: the most negative count, not a wrapped positive one.
  loadData(
      "<xml> <weapon> <name> low </name> <shot_delay> -2147483647 </shot_delay> </weapon> "
      "</xml>");
  ShipGun low;
  low.setType(weaponTypes, "low");
  EXPECT_LE(low.getBaseShotDelay(), 0);
  EXPECT_LE(low.getShotDelay(), 0);
}
