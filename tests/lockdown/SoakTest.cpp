// A long random game of lockdown on the headless backend: a player with a fixed seed flies the
// mouse, clicks both buttons and presses the game's and the editor's keys (the editor toggle,
// saving, loading and clearing, the object keys) for thousands of frames (3000, or as many as
// LOCKDOWN_SOAK_FRAMES says). Escape, the quit key, is sent only on the ending screen, and the
// game then starts again from the first level. Whenever a modal screen waits (a file name, a
// question, a message), the player types a name and confirms it, so that every screen ends.
// Nothing may crash, hang or leak, and the memory the game holds must not grow frame by frame.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "../support/HeldMemory.h"
#include "WorldHarness.h"
#include "lockdown/platform/VirtualKeys.h"

namespace lockdown {
namespace {

// The headless machine with a player at the modal screens: the game reads the mouse once a
// frame, so a second reading within one frame is a screen that waits. There the keys of
// "SOAK", Return, 'Y' and Return go down in turn, one reading each, with a reading between, and
// the left button clicks every fourth reading (the end of a run of stairs waits for a click).
class SoakMachine : public platform::HeadlessBackend {
 public:
  void StartFrame() { readings = 0; }
  platform::MouseState ReadMouse() override {
    ++readings;
    platform::MouseState state = HeadlessBackend::ReadMouse();
    if (readings > 1) {
      ++modalReadings;
      state.buttons[0] = readings % 4 == 2 ? 0x80 : 0;
    }
    return state;
  }
  bool KeyDown(int vk) override {
    if (readings <= 1) return HeadlessBackend::KeyDown(vk);
    // The ending screen waits for Escape.
    if (game.bLevelComplete && game.nextLevelName.Length() == 0) {
      bAtEnding = true;
      return vk == VK_ESCAPE;
    }
    // A screen that none of this ends would hang the test: it fails instead, leaving by Escape.
    if (readings > 20000) {
      bStuck = true;
      return vk == VK_ESCAPE;
    }
    static const int answer[] = {'S', 'O', 'A', 'K', VK_RETURN, 'Y', VK_RETURN};
    return readings % 2 == 0 && vk == answer[(readings / 2) % 7];
  }
  int readings = 0;
  long modalReadings = 0;
  bool bStuck = false;
  bool bAtEnding = false;
};

class Soak : public testing::World {
 protected:
  // Files the editor saves land in the test's own folder.
  void SetUp() override {
    World::SetUp();
    platform::SetBackend(&soak);
    ASSERT_EQ(chdir(dir.c_str()), 0);
  }
  void TearDown() override {
    ASSERT_EQ(chdir(LOCKDOWN_RUN_DIR), 0);
    World::TearDown();
  }
  SoakMachine soak;
};

TEST_F(Soak, ThreeThousandFramesOfRandomPlayAndEditingEndCleanly) {
  const std::string first = std::string(LOCKDOWN_RUN_DIR) + "/1.fly";
  ASSERT_TRUE(game.LoadLevel(first.c_str()));
  game.levelName = first.c_str();
  std::mt19937 random(14);
  // Every key the game and the editor read, less Escape.
  const std::vector<int> keys = {VK_F11,  'S',       'L',   'C',      'P',     'A',      VK_SPACE,
                                 VK_TAB,  VK_LEFT,   VK_UP, VK_RIGHT, VK_DOWN, VK_SHIFT, VK_CONTROL,
                                 VK_MENU, VK_RETURN, 'Y',   'N',      '1'};
  int editingFrames = 0, endings = 0;
  const char* asked = std::getenv("LOCKDOWN_SOAK_FRAMES");
  const int frames = asked ? std::max(400, std::atoi(asked)) : 3000;
  // The least memory held in each quarter of the run: play holds about the same throughout.
  std::vector<size_t> leastHeld(4, SIZE_MAX);
  for (int i = 0; i < frames; ++i) {
    const int f = soak.Frame();
    soak.MoveMouse(f, static_cast<int>(random() % 161) - 80, static_cast<int>(random() % 121) - 60);
    if (random() % 3 == 0) soak.HoldButton(0, f, f + static_cast<int>(random() % 3));
    if (random() % 11 == 0) soak.HoldButton(1, f, f);
    if (random() % 6 == 0) {
      const int key = keys[random() % keys.size()];
      soak.HoldKey(key, f, f + static_cast<int>(random() % 3));
    }
    soak.StartFrame();
    soak.bAtEnding = false;
    bool bGoesOn = game.RunFrame();
    if (!bGoesOn && soak.bAtEnding) {
      // The game was won and quit on the ending screen: the player starts again.
      ++endings;
      game.RestartLevel();
      bGoesOn = true;
    }
    ASSERT_TRUE(bGoesOn) << "the game ended at frame " << i;
    ASSERT_FALSE(soak.bStuck) << "a modal screen did not end, frame " << i;
    editingFrames += game.bEditing;
    size_t& least = leastHeld[static_cast<size_t>(i) * 4 / frames];
    least = std::min(least, HeldBytes());
  }
  const std::string log = Log();
  EXPECT_EQ(log.find("memory"), std::string::npos) << log;
  EXPECT_EQ(log.find("alloc"), std::string::npos) << log;
  // The player did edit and meet modal screens, and every one of them ended.
  EXPECT_GT(editingFrames, 300);
  EXPECT_GT(soak.modalReadings, 0);
  // Play holds the same few megabytes throughout: a hundred bytes kept each frame would add
  // up to more than this over the last quarters.
  EXPECT_LE(leastHeld[3], leastHeld[1] + (128u << 10))
      << "held " << leastHeld[0] << ", " << leastHeld[1] << ", " << leastHeld[2] << ", "
      << leastHeld[3] << " bytes in the quarters of the run";
  std::printf(
      "%d frames in the editor, %ld readings at modal screens, %d endings, held %zu, "
      "%zu, %zu, %zu bytes\n",
      editingFrames, soak.modalReadings, endings, leastHeld[0], leastHeld[1], leastHeld[2],
      leastHeld[3]);
}

}  // namespace
}  // namespace lockdown
