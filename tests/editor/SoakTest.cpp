// A long random game: a player with a fixed seed moves and clicks the mouse and presses the
// game's and the editor's keys (level stepping, pause, the editor, its tools, saving, loading
// and clearing) for thousands of frames on the test clock. Escape, the quit key, is never sent.
// Whenever a modal screen waits (a typed file name, a message, a menu), the player types a name
// and confirms it, so that every screen ends. Nothing may crash, hang or run out of memory.
#include <algorithm>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "editor/EditorFixture.h"
#include "game/Game.h"
#include "game/Level.h"
#include "support/HeldMemory.h"
#include "support/TestClock.h"

namespace {
// Scripted input that notices a modal screen: the main loop takes the frame's events once,
// so a second empty poll within one frame is a screen waiting for the player. There it moves
// the clock on (screens that wait for time) and types "soak" and Return, then 'y' and Return.
class SoakInput : public ScriptedInput {
 public:
  explicit SoakInput(TestClock& clock) : clock(clock) {}
  void startFrame() { emptyPolls = 0; }
  bool pollEvent(SDL_Event& event) override {
    if (ScriptedInput::pollEvent(event)) return true;
    if (++emptyPolls < 2) return false;
    clock.advance(33);
    modalPolls++;
    static int const answer[] = {'s', 'o', 'a', 'k', SDLK_RETURN, 'y', SDLK_RETURN};
    if (emptyPolls % 2 == 0) {
      setMods(0);
      tap(answer[(emptyPolls / 2) % 7]);
    }
    return false;
  }
  int emptyPolls = 0;
  long modalPolls = 0;

 private:
  TestClock& clock;
};

class SoakTest : public EditorFixture {
 protected:
  TestClock clock{100000};
  SoakInput soak{clock};
};
}  // namespace

TEST_F(SoakTest, ThreeThousandFramesOfRandomPlayAndEditingEndCleanly) {
  int exits = 0;
  setExitHook([&](int) { exits++; });
  std::mt19937 random(14);
  // Every key the game and the editor read, less Escape.
  std::vector<int> const keys = {
      'w',       'a',     's',       'd',       '[',         ']',         't',
      'p',       'f',     '`',       '0',       '1',         '5',         'y',
      'n',       'q',     'l',       'o',       'c',         '-',         '=',
      '+',       '.',     ' ',       SDLK_TAB,  SDLK_RETURN, SDLK_DELETE, SDLK_BACKSPACE,
      SDLK_HOME, SDLK_F5, SDLK_F6,   SDLK_F7,   SDLK_F8,     SDLK_F9,     SDLK_F10,
      SDLK_F11,  SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT};
  int const mods[] = {0, 0, 0, 0, KMOD_LSHIFT, KMOD_LCTRL};
  LogCapture log;
  int const frames = 3000;
  int editorFrames = 0;
  std::set<std::string> levels;
  // The least memory held in each quarter of the run: play holds about the same throughout.
  std::vector<size_t> leastHeld(4, SIZE_MAX);
  for (int frame = 0; frame < frames; frame++) {
    if (random() % 3 == 0)
      soak.moveTo(static_cast<int>(random() % 800), static_cast<int>(random() % 600));
    if (random() % 5 == 0) soak.pressLeft();
    if (random() % 4 == 0) soak.releaseLeft();
    if (random() % 9 == 0) soak.pressRight();
    if (random() % 4 == 0) soak.releaseRight();
    if (random() % 4 == 0) {
      soak.setMods(mods[random() % 6]);
      int const key = keys[random() % keys.size()];
      // Thrust keys are held for a while; the others tapped.
      if (key == 'w' || key == 's') {
        soak.press(key);
      } else {
        soak.tap(key);
        soak.release('w');
        soak.release('s');
      }
    }
    // Ctrl+S now and then: saving to the current level.
    if (random() % 150 == 0) {
      soak.setMods(KMOD_LCTRL);
      soak.tap('s');
    }
    soak.startFrame();
    clock.advance(33);
    runFrame();
    soak.setMods(0);
    if (gameState == getEditorState()) editorFrames++;
    levels.insert(getCurrLevel());
    size_t& least = leastHeld[static_cast<size_t>(frame) * 4 / frames];
    least = std::min(least, HeldBytes());
  }
  EXPECT_EQ(exits, 0);
  for (std::string const& line : log.lines()) {
    EXPECT_EQ(line.find("memory"), std::string::npos) << line;
    EXPECT_EQ(line.find("alloc"), std::string::npos) << line;
  }
  // The player did edit, step through levels and meet modal screens, and every one ended.
  EXPECT_GT(editorFrames, 300);
  EXPECT_GE(levels.size(), 3u);
  EXPECT_GT(soak.modalPolls, 0);
  // A few kilobytes kept each frame would add up to megabytes over the last quarters.
  EXPECT_LE(leastHeld[3], leastHeld[1] + (4u << 20))
      << "held " << leastHeld[0] << ", " << leastHeld[1] << ", " << leastHeld[2] << ", "
      << leastHeld[3] << " bytes in the quarters of the run";
  std::printf(
      "%d frames in the editor, %zu levels, %ld polls of modal screens, held %zu, %zu, "
      "%zu, %zu bytes\n",
      editorFrames, levels.size(), soak.modalPolls, leastHeld[0], leastHeld[1], leastHeld[2],
      leastHeld[3]);
}
