#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "game/Barrier.h"
#include "game/Gun.h"
#include "game/HoloDisplay.h"
#include "game/HomingMissle.h"
#include "game/PlayerShip.h"
#include "game/Projectile.h"
#include "game/ShipWorld.h"
#include "presentation/Mouse.h"

namespace {
char const* const weapons = R"(<xml>
  <weapon> <name> twin </name> <shot_delay> 10 </shot_delay> <fire_sound> zap </fire_sound>
    <loudness> 7 </loudness> <colour> blue </colour>
    <projectile> <damage> 2 </damage> <angle> 10 </angle> </projectile>
    <projectile> <damage> 3 </damage> <angle> -10 </angle> </projectile>
  </weapon>
  <weapon> <name> dud </name> <shot_delay> 5 </shot_delay> <fire_sound> click </fire_sound> </weapon>
  <holodisplay> <name> gunner </name> <weapon_name> twin </weapon_name> </holodisplay>
</xml>)";
}  // namespace

// A gun that records the order of the firing steps.
class TestOrderGun : public ShipGun {
 public:
  int getShotDelay() override {
    steps.push_back("delay");
    return 3;
  }
  std::string getFireSound() override {
    steps.push_back("sound:" + std::to_string(shotCycles));
    return "";
  }
  void spawnBullet() override { steps.push_back("spawn:" + std::to_string(shotCycles)); }
  std::vector<std::string> steps;
};

class GunTest : public ShipWorldTest {
 protected:
  void SetUp() override {
    ShipWorldTest::SetUp();
    loadData(weapons);
  }
};

TEST_F(GunTest, ANewGunWaitsTwentyFiveToFortyFrames) {
  std::set<int> seen;
  for (int i = 0; i < 200; i++) {
    ShipGun gun;
    int waited = 0;
    while (gun.getShotCycles() > 0) {
      gun.process();
      waited++;
    }
    EXPECT_GE(waited, 25);
    EXPECT_LE(waited, 40);
    seen.insert(waited);
  }
  EXPECT_GT(seen.size(), 5u);
}

TEST_F(GunTest, ShotDelayTenGivesTenOrElevenFramesAndTwentyUpToTwentyTwo) {
  struct Case {
    int base;
    std::set<int> allowed;
  };
  std::vector<Case> const cases = {{10, {10, 11}}, {20, {20, 21, 22}}, {-1, {-1}}};
  for (Case const& c : cases) {
    ShipGun gun;
    XmlElement delay;
    delay.setTag("shot_delay");
    delay.addArgument(std::to_string(c.base));
    gun.handleElement(delay);
    std::set<int> seen;
    for (int i = 0; i < 300; i++) seen.insert(gun.getShotDelay());
    EXPECT_EQ(seen, c.allowed) << c.base;
  }
}

TEST_F(GunTest, WeaponTypeElementsConfigureTheGun) {
  ShipGun gun;
  gun.setType(weaponTypes, "twin");
  EXPECT_EQ(gun.getName(), "twin");
  EXPECT_EQ(gun.getBaseShotDelay(), 10);
  EXPECT_EQ(gun.getFireSound(), "zap.wav");
  EXPECT_EQ(gun.getLoudness(), 7);
  EXPECT_EQ(gun.getProjectileTypes().size(), 2u);
  for (std::string const& line : log.lines()) EXPECT_EQ(line.find("colour"), std::string::npos);
}

TEST_F(GunTest, CoolDownIsSetBeforeTheSoundAndTheShots) {
  TestOrderGun gun;
  while (gun.getShotCycles() > 0) gun.process();
  gun.fire();
  EXPECT_EQ(gun.steps, (std::vector<std::string>{"delay", "sound:3", "spawn:3"}));
  // Three frames of cool-down; it fires again in the frame it reaches 0.
  for (int frame = 0; frame < 3; frame++) {
    gun.fire();
    gun.process();
  }
  EXPECT_EQ(gun.steps.size(), 3u);
  gun.fire();
  EXPECT_EQ(gun.steps.size(), 6u);
}

TEST_F(GunTest, EachProjectileElementMakesOneShotPerPull) {
  HoloDisplay* ship = addShip<HoloDisplay>("gunner", 1000, 1000, 90);
  Gun* gun = ship->getFirstGun();
  while (gun->getShotCycles() > 0) gun->process();
  gun->fire();
  ASSERT_EQ(projectiles.size(), 2);
  EXPECT_FLOAT_EQ(projectiles.at(0)->getDamage(), 2.0f);
  EXPECT_FLOAT_EQ(projectiles.at(1)->getDamage(), 3.0f);
  EXPECT_FLOAT_EQ(projectiles.at(0)->getAngle(), 100.0f);
  EXPECT_FLOAT_EQ(projectiles.at(1)->getAngle(), 80.0f);
  EXPECT_EQ(projectiles.at(0)->getShooter(), static_cast<GunUser*>(ship));
  EXPECT_EQ(allVisible.size(), 2);
}

TEST_F(GunTest, AWeaponWithoutProjectilesOnlyMakesItsSound) {
  ShipGun gun;
  gun.setType(weaponTypes, "dud");
  while (gun.getShotCycles() > 0) gun.process();
  gun.fire();
  EXPECT_EQ(projectiles.size(), 0);
  EXPECT_EQ(objMan.size(), 0);
  EXPECT_GE(gun.getShotCycles(), 5);
}

TEST_F(GunTest, GunsAreTriggeredInTheOrderAdded) {
  PlayerShip* own = addShip<PlayerShip>("gunner", 500, 500);
  std::vector<Gun*> guns = own->getGuns();
  ASSERT_EQ(guns.size(), 2u);
  EXPECT_EQ(guns[0], own->getPrimaryGun());
  EXPECT_EQ(guns[1], own->getSecondaryGun());
  EXPECT_EQ(guns[1]->getGunUser(), static_cast<GunUser*>(own));

  // Both buttons down: the main gun's two shots come first, then the barrier of the second gun.
  player = own;
  struct Case {
    bool bLeft, bRight;
    std::vector<std::string> made;
  };
  std::vector<Case> const cases = {
      {true, true, {"ParameterProjectile", "ParameterProjectile", "Barrier"}},
      {true, false, {"ParameterProjectile", "ParameterProjectile"}},
      {false, true, {"Barrier"}},
      {false, false, {}}};
  for (Case const& c : cases) {
    for (Gun* gun : guns)
      while (gun->getShotCycles() > 0) gun->process();
    int const before = objMan.size();
    mouse.bLeft = c.bLeft;
    mouse.bRight = c.bRight;
    own->handleFiring();
    std::vector<std::string> made;
    for (int i = before; i < objMan.size(); i++) made.push_back(getType(objMan.at(i)));
    EXPECT_EQ(made, c.made) << c.bLeft << c.bRight;
  }
  mouse.bLeft = mouse.bRight = false;
  player = nullptr;
}

TEST_F(GunTest, AUserThatIsNoShipIsLoggedAndLeftUnset) {
  class TestLoneUser : public GunUser {
   public:
    Point getCenter() const override { return Point(); }
    bool trigger(Gun*) override { return true; }
    float getAngle() const override { return 0; }
  } lone;
  ShipGun gun;
  LogCapture errors;
  lone.addGun(&gun);
  EXPECT_EQ(gun.getGunUser(), nullptr);
  ASSERT_FALSE(errors.lines().empty());
  EXPECT_EQ(
      errors.lines().back().find("Error: newUser is not a GunUser for ShipGun, getType(newUser):"),
      0u);
}

TEST_F(GunTest, TheDefaultSpawnNeedsABullet) {
  class TestBareGun : public ShipGun {
   public:
    void spawnBullet() override { Gun::spawnBullet(); }
  } gun;
  LogCapture errors;
  gun.spawnBullet();
  std::vector<std::string> lines = errors.lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].find("Error: Using default spawnBullet function, make sure the following "
                          "functions are implemented by"),
            0u);
  EXPECT_EQ(lines[1], "getNewBullet, getBulletStart, getBulletAngle");
}

TEST_F(GunTest, TheMissileGunWaitsLongAndFiresAMissile) {
  HomingMissleGun gun;
  for (int i = 0; i < 50; i++) {
    int delay = gun.getShotDelay();
    EXPECT_GE(delay, 2000);
    EXPECT_LE(delay, 3000);
  }
  EXPECT_EQ(gun.getFireSound(), "missle.wav");
  gun.spawnBullet();
  ASSERT_EQ(projectiles.size(), 1);
  EXPECT_FLOAT_EQ(projectiles.at(0)->getAngle(), -1.0f);
  EXPECT_EQ(projectiles.at(0)->getVelocity().x, 0.0);
}

TEST_F(GunTest, TheReflectBarrierStandsNinetyPlusHalfTheShipAway) {
  PlayerShip* own = addShip<PlayerShip>("gunner", 1000, 1000, 0, {}, 40);
  Gun* reflect = own->getSecondaryGun();
  while (reflect->getShotCycles() > 0) reflect->process();
  reflect->fire();
  ASSERT_EQ(barriers.size(), 1);
  Point c = barriers.at(0)->getCenter();
  // The chord of a quarter circle of radius 110 in front of the ship (up).
  EXPECT_NEAR(c.x, 1000, 0.5);
  EXPECT_NEAR(1000 - c.y, 110 * std::cos(45 * PI / 180), 0.5);
  EXPECT_GE(reflect->getShotCycles(), 20);
  EXPECT_LE(reflect->getShotCycles(), 22);
}
