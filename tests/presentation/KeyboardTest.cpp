#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/Console.h"
#include "presentation/Keyboard.h"
#include "presentation/Mouse.h"
#include "support/LogCapture.h"
#include "support/ScriptedInput.h"

namespace {
// The input half of a frame of the main loop: key book-keeping, events, mouse.
void inputFrame() {
  updateKeyTables();
  handleEvents();
  mouse.process();
}

class KeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override { clearKeys(); }
  ScriptedInput input;
};
}  // namespace

TEST_F(KeyboardTest, HeldKeyIsPressedInItsFirstFrameOnlyAndCountsFramesUntilReleased) {
  input.press('w');
  inputFrame();
  EXPECT_TRUE(justPressed('w'));
  EXPECT_EQ(keyCounts['w'], 0);
  EXPECT_FALSE(isDown('w'));
  for (int frame = 1; frame <= 3; frame++) {
    inputFrame();
    EXPECT_FALSE(justPressed('w'));
    EXPECT_EQ(keyCounts['w'], frame);
    EXPECT_TRUE(isDown('w'));
    EXPECT_TRUE(isPressed('w'));
  }
  input.release('w');
  inputFrame();
  EXPECT_EQ(keyCounts['w'], 0);
  EXPECT_FALSE(isDown('w'));
}

TEST_F(KeyboardTest, KeyPressedAndReleasedWithinOneFrameIsOnlyJustPressed) {
  input.tap('x');
  inputFrame();
  EXPECT_TRUE(justPressed('x'));
  EXPECT_EQ(keyCounts['x'], 0);
  EXPECT_FALSE(held('x', 4));
  for (int frame = 0; frame < 5; frame++) {
    inputFrame();
    EXPECT_FALSE(justPressed('x'));
    EXPECT_EQ(keyCounts['x'], 0);
    EXPECT_FALSE(held('x', 4));
  }
}

TEST_F(KeyboardTest, HeldFiresInTheFirstFrameAfterThePressThenEveryPeriod) {
  struct Case {
    int period;
    std::vector<int> expectedCounts;
  };
  // A period below 2 would never fire or divide by zero: it behaves as 2.
  std::vector<Case> cases = {
      {4, {1, 5, 9}}, {2, {1, 3, 5, 7, 9}}, {1, {1, 3, 5, 7, 9}}, {0, {1, 3, 5, 7, 9}}};
  for (Case const& c : cases) {
    clearKeys();
    input.press('d');
    std::vector<int> fired;
    for (int frame = 0; frame < 10; frame++) {
      inputFrame();
      if (held('d', c.period)) fired.push_back(keyCounts['d']);
    }
    input.release('d');
    inputFrame();
    EXPECT_EQ(fired, c.expectedCounts) << "period " << c.period;
  }
}

TEST_F(KeyboardTest, AnyKeyIsTrueInTheFrameAfterAPressAndWhenAButtonIsReleased) {
  input.press('k');
  inputFrame();
  EXPECT_FALSE(anyKey());
  inputFrame();
  EXPECT_TRUE(anyKey());
  inputFrame();
  EXPECT_FALSE(anyKey());
  input.release('k');

  input.pressLeft();
  inputFrame();
  EXPECT_FALSE(anyKey());
  input.releaseLeft();
  inputFrame();
  EXPECT_TRUE(anyKey());
  inputFrame();
  EXPECT_FALSE(anyKey());
  input.pressRight();
  inputFrame();
  input.releaseRight();
  inputFrame();
  EXPECT_TRUE(anyKey());
}

TEST_F(KeyboardTest, KeyEventOutsideTheTableIsIgnored) {
  LogCapture log;
  input.queueKey(SDL_KEYDOWN, numKeys);
  input.queueKey(SDL_KEYUP, 400);
  input.queueKey(SDL_KEYDOWN, 511);
  input.press('a');
  inputFrame();
  EXPECT_TRUE(justPressed('a'));
  int pressed = 0;
  for (int k = 0; k < numKeys; k++) pressed += keys[k] ? 1 : 0;
  EXPECT_EQ(pressed, 1);
  EXPECT_EQ(keys.size(), static_cast<size_t>(numKeys));
  EXPECT_EQ(keyCounts.size(), static_cast<size_t>(numKeys));
  // Each event outside the table is named in the log, down and up alike.
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"Error: key code outside the key table: 323",
                                                   "Error: key code outside the key table: 400",
                                                   "Error: key code outside the key table: 511"}));
}

TEST_F(KeyboardTest, ClearKeyStopsOthersActingOnThePress) {
  input.press('t');
  inputFrame();
  inputFrame();
  clearKey('t');
  EXPECT_FALSE(justPressed('t'));
  EXPECT_EQ(keyCounts['t'], 0);
  input.press('u');
  inputFrame();
  mouse.bLeft = mouse.bLastLeft = true;
  clearInput();
  EXPECT_FALSE(justPressed('u'));
  EXPECT_FALSE(mouse.leftDown());
  EXPECT_FALSE(mouse.leftReleased());
}

TEST_F(KeyboardTest, CharacterChecksTakeTheFirstKeyOfTheirRanges) {
  EXPECT_EQ(getKeycode('q'), 'q');
  EXPECT_EQ(getKeycode('7'), '7');
  EXPECT_EQ(getKeycode('Q'), 0);
  EXPECT_EQ(getKeycode('!'), 0);

  input.tap('7');
  input.tap('3');
  inputFrame();
  EXPECT_EQ(checkForNum(), '3');
  EXPECT_EQ(checkForLetterNum(), '3');
  EXPECT_EQ(checkForCharacter(), '3');

  input.tap('!');
  input.tap('z');
  inputFrame();
  EXPECT_EQ(checkForLetterNum(), 'z');
  EXPECT_EQ(checkForNum(), 0);
  input.tap('@');
  inputFrame();
  EXPECT_EQ(checkForCharacter(), '@');
  EXPECT_EQ(checkForLetterNum(), 0);

  EXPECT_FALSE(arrowKey());
  input.tap(SDLK_LEFT);
  inputFrame();
  EXPECT_TRUE(arrowKey());
}

TEST_F(KeyboardTest, ModifierKeysReadTheLiveState) {
  LogCapture log;
  struct Case {
    int mods;
    bool ctrl, shiftDown, altDown;
  };
  std::vector<Case> cases = {{KMOD_NONE, false, false, false},  {KMOD_LCTRL, true, false, false},
                             {KMOD_RCTRL, true, false, false},  {KMOD_LSHIFT, false, true, false},
                             {KMOD_RSHIFT, false, true, false}, {KMOD_RALT, false, false, true},
                             {KMOD_CAPS, false, false, false}};
  for (Case const& c : cases) {
    input.setMods(c.mods);
    EXPECT_EQ(modKey(KMOD_CTRL), c.ctrl) << c.mods;
    EXPECT_EQ(modKey(KMOD_SHIFT), c.shiftDown) << c.mods;
    EXPECT_EQ(modKey(KMOD_ALT), c.altDown) << c.mods;
  }
  input.setMods(KMOD_LCTRL);
  EXPECT_TRUE(modKeyDown(KMOD_CTRL));
  EXPECT_FALSE(modKeyDown(KMOD_SHIFT));
  EXPECT_EQ(log.text(), "");
  EXPECT_FALSE(modKey(KMOD_LCTRL));
  EXPECT_EQ(log.text(), "Error: non-macro mod key passed to modKey\n");
}

TEST_F(KeyboardTest, JustPressedModKeyIsTrueOnTheFirstCallWithTheKeyDown) {
  LogCapture log;
  input.setMods(KMOD_LSHIFT);
  EXPECT_TRUE(justPressedModKey(KMOD_SHIFT));
  EXPECT_FALSE(justPressedModKey(KMOD_SHIFT));
  input.setMods(KMOD_NONE);
  EXPECT_FALSE(justPressedModKey(KMOD_SHIFT));
  input.setMods(KMOD_RSHIFT | KMOD_LALT);
  EXPECT_TRUE(justPressedModKey(KMOD_ALT));
  EXPECT_FALSE(justPressedModKey(KMOD_SHIFT));
  EXPECT_FALSE(justPressedModKey(KMOD_CAPS));
  EXPECT_EQ(log.text(), "Error: Non-Macro KMOD passed to modKey\n");
}

namespace {
struct TypingCase {
  std::string before;
  std::vector<int> taps;
  int mods;
  std::string after;
  bool result;
};
}  // namespace

// Every key that went down in the frame counts, in the order typed: fast typing puts two keys
// in one frame.
TEST_F(KeyboardTest, KeyboardToStringTakesEveryKeyOfTheFrameInOrder) {
  std::vector<TypingCase> cases = {
      {"", {'a'}, KMOD_NONE, "a", true},
      {"", {'a'}, KMOD_LSHIFT, "A", true},
      {"", {'a'}, KMOD_CAPS, "A", true},
      {"", {'a'}, KMOD_CAPS | KMOD_RSHIFT, "A", true},
      {"", {'1'}, KMOD_LSHIFT, "1", true},
      {"x", {'b', 'a'}, KMOD_NONE, "xba", true},
      {"", {'g', 'a', 'u', 'n'}, KMOD_NONE, "gaun", true},
      {"xy", {'q', SDLK_BACKSPACE}, KMOD_NONE, "xy", true},
      {"xy", {SDLK_BACKSPACE, 'q'}, KMOD_NONE, "xq", true},
      {"ab", {'c', SDLK_RETURN, 'd'}, KMOD_NONE, "abc", false},
      {"", {'a', SDLK_SPACE, 'b', SDLK_MINUS, '1'}, KMOD_NONE, "a b-1", true},
      {"xy", {SDLK_BACKSPACE}, KMOD_NONE, "x", true},
      {"", {SDLK_BACKSPACE}, KMOD_NONE, "", true},
      {"", {SDLK_BACKSPACE, SDLK_RETURN}, KMOD_NONE, "", false},
      {"a", {SDLK_SPACE}, KMOD_NONE, "a ", true},
      {"a", {SDLK_MINUS}, KMOD_NONE, "a-", true},
      {"ab", {SDLK_RETURN}, KMOD_NONE, "ab", false},
      {"ab", {SDLK_ESCAPE}, KMOD_NONE, "ab", false},
      {"ab", {SDLK_PERIOD}, KMOD_NONE, "ab", true},
      {"ab", {}, KMOD_NONE, "ab", true},
  };
  for (TypingCase const& c : cases) {
    clearKeys();
    input.setMods(c.mods);
    for (int key : c.taps) input.tap(key);
    inputFrame();
    std::string text = c.before;
    EXPECT_EQ(keyboardToString(text), c.result) << c.before << " -> " << c.after;
    EXPECT_EQ(text, c.after);
  }
}

TEST_F(KeyboardTest, KeyboardToNumEditsANumber) {
  std::vector<TypingCase> cases = {
      {"0", {'7'}, KMOD_NONE, "7", true},
      {"-0", {'7'}, KMOD_NONE, "-7", true},
      {"12", {'7'}, KMOD_NONE, "127", true},
      {"", {SDLK_MINUS}, KMOD_NONE, "-", true},
      {"3", {SDLK_MINUS}, KMOD_NONE, "3", true},
      {"3", {SDLK_PERIOD}, KMOD_NONE, "3.", true},
      {"3.5", {SDLK_PERIOD}, KMOD_NONE, "3.5", true},
      {"3.5", {SDLK_BACKSPACE}, KMOD_NONE, "3.", true},
      {"", {SDLK_BACKSPACE}, KMOD_NONE, "", true},
      {"4", {'a'}, KMOD_NONE, "4", true},
      {"4", {SDLK_RETURN}, KMOD_NONE, "4", false},
      {"4", {SDLK_ESCAPE}, KMOD_NONE, "4", false},
      {"", {'2', SDLK_PERIOD, '5'}, KMOD_NONE, "2.5", true},
      {"", {'1', SDLK_PERIOD, '5', SDLK_PERIOD, '0'}, KMOD_NONE, "1.50", true},
  };
  for (TypingCase const& c : cases) {
    clearKeys();
    for (int key : c.taps) input.tap(key);
    inputFrame();
    std::string text = c.before;
    EXPECT_EQ(keyboardToNum(text), c.result) << c.before << " -> " << c.after;
    EXPECT_EQ(text, c.after);
  }
}

TEST_F(KeyboardTest, ModalPumpCountsAKeyAsHeldFromItsKeyDownEventWithoutTheKeyState) {
  bLockFps = false;
  bDrawFps = false;
  // Down only as an event: the key state never shows it.
  input.queueKey(SDL_KEYDOWN, 'g');
  handleEvents();
  for (int frame = 1; frame <= 3; frame++) {
    updateKeyTablesFromCounts();
    EXPECT_EQ(keyCounts['g'], frame);
    EXPECT_FALSE(justPressed('g'));
  }
  input.queueKey(SDL_KEYUP, 'g');
  handleEvents();
  updateKeyTablesFromCounts();
  EXPECT_EQ(keyCounts['g'], 0);
}
