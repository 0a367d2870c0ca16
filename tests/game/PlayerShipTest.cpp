// The player's ship in play, driven through the frame loop as a player drives it: the mouse
// turns it, W/S/A/D thrust, the left button fires; an enemy follows its path, sees the player,
// attacks, is hit, explodes and leaves the lists.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "game/Console.h"
#include "game/GameStates.h"
#include "game/HoloDisplay.h"
#include "game/Level.h"
#include "game/PlayerShip.h"
#include "game/Projectile.h"
#include "game/ShipWorld.h"
#include "presentation/Text.h"
#include "support/QorScreen.h"
#include "support/ScriptedInput.h"

namespace {
char const* const types = R"(<xml>
  <weapon> <name> blaster </name> <shot_delay> 5 </shot_delay>
    <projectile> <damage> 1 </damage> </projectile> </weapon>
  <weapon> <name> pea </name> <shot_delay> 30 </shot_delay>
    <projectile> <damage> 0.25 </damage> </projectile> </weapon>
  <holodisplay> <name> hero </name> <weapon_name> blaster </weapon_name> </holodisplay>
  <holodisplay> <name> raider </name> <max_health> 2 </max_health> <max_speed> 6 </max_speed>
    <weapon_name> pea </weapon_name> <face_player> 1 </face_player>
    <events> <see_player> <switch_state> attack </switch_state> </see_player> </events>
  </holodisplay>
</xml>)";
}  // namespace

class PlayerShipTest : public ShipWorldTest {
 protected:
  void SetUp() override {
    ShipWorldTest::SetUp();
    openTestScreen();
    loadFont("FreeMono.ttf", 14);
    bLockFps = false;
    loadData(types);
    victoryCondition = "";
  }
  void TearDown() override {
    gameState = nullptr;
    ShipWorldTest::TearDown();
  }
  // One frame of the main loop with the input as scripted so far.
  void frame() {
    input.nextFrame();
    runFrame();
  }

  ScriptedInput input;
};

TEST_F(PlayerShipTest, MouseTurnsWasdThrustsTheLeftButtonFires) {
  PlayerShip* own = addShip<PlayerShip>("hero", 2000, 3000);
  ASSERT_EQ(player, own);
  gameState = &localState;
  localState.enter();
  frame();
  // 8 pixels right at 0.25 degrees per pixel: 2 degrees clockwise.
  input.moveTo(8, 0);
  frame();
  EXPECT_NEAR(getAngleDist(own->getAngle(), 0), -2.0, 1e-4);
  input.moveTo(0, 0);
  frame();
  EXPECT_NEAR(getAngleDist(own->getAngle(), 0), 0.0, 1e-4);
  EXPECT_EQ(info[1], "getCenter(): (2000, 3000)");
  EXPECT_EQ(info[2], "no cross");

  struct Case {
    int key;
    double dx, dy;  // direction of travel at heading 0
  };
  std::vector<Case> const cases = {{'w', 0, -1}, {'s', 0, 1}, {'a', -1, 0}, {'d', 1, 0}};
  for (Case const& c : cases) {
    Point before = own->getCenter();
    input.press(c.key);
    for (int i = 0; i < 5; i++) frame();
    input.release(c.key);
    for (int i = 0; i < 30; i++) frame();  // friction brings it to rest
    Point moved = own->getCenter() - before;
    EXPECT_GT(moved.x * c.dx + moved.y * c.dy, 20.0) << char(c.key);
    double along = moved.x * c.dx + moved.y * c.dy;
    EXPECT_LT(std::fabs(moved.x * c.dy) + std::fabs(moved.y * c.dx), 0.2 * along) << char(c.key);
  }

  // The left button fires the primary gun only; its cool-down spaces the shots.
  EXPECT_EQ(projectiles.size(), 0);
  input.pressLeft();
  for (int i = 0; i < 60; i++) frame();
  input.releaseLeft();
  frame();
  EXPECT_GE(projectiles.size(), 3);
  EXPECT_EQ(barriers.size(), 0);
  for (int i = 0; i < projectiles.size(); i++)
    EXPECT_EQ(projectiles.at(i)->getShooter(), static_cast<GunUser*>(own));
}

TEST_F(PlayerShipTest, AnEnemyFollowsItsPathSeesThePlayerAttacksAndIsShotDown) {
  PlayerShip* own = addShip<PlayerShip>("hero", 2000, 3800);
  HoloDisplay* enemy =
      addShip<HoloDisplay>("raider", 2000, 200, 0, {Point(2000, 200), Point(2000, 3000)});
  gameState = &localState;
  localState.enter();

  // Out of sight it rides its path toward the player.
  Point start = enemy->getCenter();
  for (int i = 0; i < 5; i++) frame();
  EXPECT_EQ(enemy->getState(), &onRailsState);
  EXPECT_GT(enemy->getCenter().y, start.y + 1);
  EXPECT_EQ(info[4], "can see player: false");

  // Once the player is in sight it attacks: faces him and fires.
  int frames = 0;
  while (enemy->getState() != &attackState && frames++ < 600) frame();
  ASSERT_EQ(enemy->getState(), &attackState);
  EXPECT_FALSE(enemy->isOnRails());
  Point seenAt = enemy->getCenter();
  EXPECT_LT(dist(seenAt, own->getCenter()), 1600.0f);
  // It turns toward the player at 4 degrees a frame and fires as its gun allows.
  bool enemyFired = false;
  for (int i = 0; i < 60; i++) {
    frame();
    for (int j = 0; j < projectiles.size(); j++)
      enemyFired |= projectiles.at(j)->getShooter() == static_cast<GunUser*>(enemy);
  }
  EXPECT_TRUE(enemyFired);
  EXPECT_NEAR(std::fabs(getAngleDist(enemy->getAngle(), 180)), 0, 8.01);

  // The player returns fire straight up the path until the enemy is gone.
  input.pressLeft();
  float health = enemy->getHealth();
  float lowest = health;
  frames = 0;
  while (allShips.size() == 2 && frames++ < 400) {
    lowest = enemy->getHealth();
    frame();
  }
  EXPECT_LT(lowest, health);
  EXPECT_EQ(allShips.size(), 1);
  EXPECT_EQ(allShips.at(0), static_cast<Ship*>(own));
  EXPECT_EQ(shootables.size(), 1);
  EXPECT_EQ(colliders.size(), 1);
  EXPECT_GE(explosions.size(), 1);
  EXPECT_GT(own->getHealth(), 0);
}
