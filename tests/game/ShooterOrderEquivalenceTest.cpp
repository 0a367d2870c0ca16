// Plays a small level of the benchmark's kind twice from the same seed, the player holding both
// buttons (so that its shots, and enemy shots its barriers send back, read the whole ship list
// in the middle of a pass): once with each shooter's entry marked and settled later, once moved
// in the plain list at every shot. After every frame the ship list must stand in the same
// order, and at the end every ship, shot and the random sequence must be where the other run
// left them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "core/Files.h"
#include "core/GameServices.h"
#include "core/GetParents.h"
#include "core/TypedLists.h"
#include "core/Xml.h"
#include "game/Level.h"
#include "game/Projectile.h"
#include "game/QorObjMan.h"
#include "game/Ship.h"
#include "game/XmlHandlers.h"
#include "presentation/Mouse.h"
#include "presentation/View.h"
#include "support/LogCapture.h"
#include "support/QorDataFiles.h"
#include "support/QorScenario.h"
#include "support/QorScreen.h"
#include "support/TestClock.h"

namespace {
std::string const levelName = "shooter_order_scenario.lev";

struct PlayRun {
  std::vector<std::vector<int>> orders;  // per frame: the ship list as places in allShips
  std::vector<double> ships;             // centre and health of each ship
  std::vector<double> shots;             // centres of the shots in flight
  int reflected = 0;
  int nextRandom = 0;
};

int placeOf(Shootable* entry) {
  for (int i = 0; i < allShips.size(); i++)
    if (static_cast<Shootable*>(allShips.at(i)) == entry) return i;
  return -1;
}

PlayRun play(bool bInPlace, int frames) {
  bMoveShootersInPlace = bInPlace;
  TestClock clock;
  std::srand(11);
  EXPECT_TRUE(loadLevel(levelName));
  bFirstCycle = false;
  PlayRun run;
  for (int frame = 0; frame < frames; frame++) {
    if (player) player->setHealth(1e9f);
    mouse.bLeft = true;
    mouse.bRight = true;
    objMan.processObjects();
    for (int i = 0; i < projectiles.size(); i++) run.reflected += projectiles.at(i)->isReflected();
    std::vector<int> order;
    for (Shootable* entry : shootables.getVect()) order.push_back(placeOf(entry));
    run.orders.push_back(order);
    clock.advance(33);
  }
  for (int i = 0; i < allShips.size(); i++) {
    Ship* ship = allShips.at(i);
    run.ships.push_back(ship->getCenter().x);
    run.ships.push_back(ship->getCenter().y);
    run.ships.push_back(ship->getHealth());
  }
  for (int i = 0; i < projectiles.size(); i++) {
    run.shots.push_back(projectiles.at(i)->getCenter().x);
    run.shots.push_back(projectiles.at(i)->getCenter().y);
  }
  run.nextRandom = std::rand();
  preLoad();
  mouse.bLeft = mouse.bRight = false;
  bMoveShootersInPlace = false;
  return run;
}

void setUpGameData() {
  openTestScreen();
  readHeirarchy();
  readQorDataFiles();
  view.setRect(0, 0, 1600, 1200);
}
}  // namespace

TEST(ShooterOrderEquivalenceTest, MarkedShootersLeaveTheShipListAsMovesInPlaceDo) {
  LogCapture log;
  setUpGameData();
  QorScenario s;
  s.ships = 40;
  s.fences = 200;
  s.spacing = 160;
  s.shipRadius = 500;
  writeQorLevel(levelName, s);
  PlayRun marked = play(false, 150);
  PlayRun reference = play(true, 150);
  std::remove(levelName.c_str());
  ASSERT_EQ(marked.orders.size(), reference.orders.size());
  for (size_t frame = 0; frame < marked.orders.size(); frame++)
    ASSERT_EQ(marked.orders[frame], reference.orders[frame]) << "frame " << frame;
  EXPECT_EQ(marked.ships, reference.ships);
  EXPECT_EQ(marked.shots, reference.shots);
  EXPECT_EQ(marked.nextRandom, reference.nextRandom);
  EXPECT_EQ(marked.reflected, reference.reflected);
  // The run is one that matters: ships fired and moved in the list, shots were sent back, and
  // ships died under the player's fire.
  EXPECT_NE(marked.orders.front(), marked.orders.back());
  EXPECT_GT(marked.reflected, 0);
  EXPECT_LT(marked.ships.size(), 3u * s.ships);
}
