// A level whose posts are linked to one hub across a level 100,000 wide: its fences are far
// longer than the obstacle tree's nodes. Played as a player would: the ship flies into one of
// them far from the hub and is stopped and hurt by it, as by any fence.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "game/GameStates.h"
#include "game/Level.h"
#include "game/ObstacleTree.h"
#include "game/PlaythroughPilot.h"

namespace {
void writePost(std::ofstream& out, int id, int x, int y, int const* links, int count) {
  out << "FenceNode\n"
      << x << ' ' << y << "\n<angle>\n0\n</angle>\nPathFollower\n0\nNode\n"
      << id << '\n';
  for (int i = 0; i < count; i++) out << links[i] << '\n';
  out << "-1\n\n";
}

bool keepsObjects(QuadTreeNode const& node) {
  if (!node.getKept().empty()) return true;
  for (QuadTreeNode* child : node.getChildren())
    if (keepsObjects(*child)) return true;
  return false;
}

class FenceHubTest : public PlaythroughTest {
 protected:
  void TearDown() override { std::remove(levelName.c_str()); }
  std::string levelName = "fence-hub-" + std::to_string(getpid()) + ".lev";
};
}  // namespace

TEST_F(FenceHubTest, ALongFenceFarFromItsHubStopsAndHurtsTheShip) {
  int const posts = 400;
  {
    std::ofstream out(levelName.c_str());
    out << "<triggerRoot>\n</triggerRoot>\n-100 0 100000 100000\n2700\n";
    out << "PlayerShip\nplayer\n80000 50400\n<angle>\n0\n</angle>\nPathFollower\n0\n\n";
    // An enemy far away, so that the level is not won at once.
    out << "HoloDisplay\nglobal_pirate\n2000 90000\n<angle>\n0\n</angle>\nPathFollower\n0\n\n";
    std::vector<int> spokes;
    for (int i = 2; i <= posts + 1; i++) spokes.push_back(i);
    writePost(out, 1, 50000, 50000, spokes.data(), posts);
    int const hub[1] = {1};
    // The first post lies due right of the hub, its fence straight across the ship's way.
    writePost(out, 2, 90000, 50000, hub, 1);
    for (int i = 3; i <= posts + 1; i++)
      writePost(out, i, 100 + (i % 20) * 4900, 100 + (i / 20) * 4700, hub, 1);
    out << "END_OBJECTS\n0\n0\n";
  }
  ASSERT_TRUE(loadLevel(levelName));
  ASSERT_NE(player, nullptr);
  EXPECT_TRUE(keepsObjects(obstacleTree)) << "the fences are filed as long ones";
  float const health = player->getHealth();
  input.press('w');
  for (int frame = 0; frame < 300; frame++) {
    input.nextFrame();
    playFrame();
    ASSERT_NE(player, nullptr);
    ASSERT_GT(player->getCenter().y, 50000) << "frame " << frame;
  }
  input.release('w');
  EXPECT_LT(player->getHealth(), health);
}
