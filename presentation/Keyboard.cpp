#include "presentation/Keyboard.h"

#include "core/Debug.h"
#include "core/Files.h"
#include "game/Console.h"
#include "presentation/InputSource.h"
#include "presentation/Mouse.h"

std::vector<bool> keys(numKeys, false);
std::vector<int> keyCounts(numKeys, 0);
int ctrl = 0;
int shift = 0;
int alt = 0;

namespace {
bool inTable(int key) { return key >= 0 && key < numKeys; }

// The keys that went down this frame, in the order of their events: typing takes them all,
// however many went down in one frame.
std::vector<int> typedKeys;

bool keyStateDown(int key) { return getInput().isKeyDown(key); }

int modState() { return getInput().getModState(); }

char firstPressedIn(char first, char last) {
  for (int c = first; c <= last; c++)
    if (keys.at(c)) return static_cast<char>(c);
  return 0;
}

char firstLetterPressed() {
  char c = firstPressedIn('a', 'z');
  if (c && (modState() & (KMOD_SHIFT | KMOD_CAPS))) c = static_cast<char>(c - 'a' + 'A');
  return c;
}
}  // namespace

void updateKeyTables() {
  for (int k = 0; k < numKeys; k++) {
    if (keyStateDown(k)) keyCounts[k]++;
    keys[k] = false;
  }
  typedKeys.clear();
}

void updateKeyTablesFromCounts() {
  for (int k = 0; k < numKeys; k++) {
    if (keyCounts[k] > 0 || keys[k]) keyCounts[k]++;
    keys[k] = false;
  }
  typedKeys.clear();
}

void handleKeyDown(int key) {
  if (!inTable(key)) {
    recordError("Error: key code outside the key table:", key);
    return;
  }
  keys[key] = true;
  typedKeys.push_back(key);
}

void handleKeyUp(int key) {
  if (!inTable(key)) {
    recordError("Error: key code outside the key table:", key);
    return;
  }
  keyCounts[key] = 0;
}

bool justPressed(int key) { return keys.at(key); }

void clearKey(int key) {
  keys.at(key) = false;
  keyCounts.at(key) = 0;
}

bool held(int key, int numCycles) {
  // A period below 2 would never fire (or divide by zero).
  if (numCycles < 2) numCycles = 2;
  return keyCounts.at(key) % numCycles == 1 && keyStateDown(key);
}

bool isDown(int key) { return keyCounts.at(key) >= 1 && keyStateDown(key); }

bool isPressed(int key) { return isDown(key); }

int getKeycode(char c) {
  if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return c;
  return 0;
}

char checkForLetterNum() {
  char c = firstLetterPressed();
  if (c) return c;
  return firstPressedIn('0', '9');
}

char checkForNum() { return firstPressedIn('0', '9'); }

char checkForCharacter() {
  char c = firstLetterPressed();
  if (c) return c;
  return firstPressedIn('!', '@');
}

bool arrowKey() {
  return keys.at(SDLK_UP) || keys.at(SDLK_DOWN) || keys.at(SDLK_LEFT) || keys.at(SDLK_RIGHT);
}

bool modKeyDown(int mask) { return (mask & modState()) != 0; }

bool modKey(int const& mask) {
  int mods = modState();
  if (mask == KMOD_CTRL) {
    debugFunc("testing for control");
    debugFunc((mods & KMOD_LCTRL) != 0, (mods & KMOD_RCTRL) != 0);
    return (mods & (KMOD_LCTRL | KMOD_RCTRL)) != 0;
  }
  if (mask == KMOD_SHIFT) return (mods & (KMOD_LSHIFT | KMOD_RSHIFT)) != 0;
  if (mask == KMOD_ALT) return (mods & (KMOD_LALT | KMOD_RALT)) != 0;
  recordError("Error: non-macro mod key passed to modKey");
  return false;
}

bool justPressedModKey(int const& mask) {
  int mods = modState();
  ctrl = (mods & KMOD_CTRL) ? ctrl + 1 : 0;
  shift = (mods & KMOD_SHIFT) ? shift + 1 : 0;
  alt = (mods & KMOD_ALT) ? alt + 1 : 0;
  if (mask == KMOD_CTRL) return ctrl == 1;
  if (mask == KMOD_SHIFT) return shift == 1;
  if (mask == KMOD_ALT) return alt == 1;
  recordError("Error: Non-Macro KMOD passed to modKey");
  return false;
}

bool anyKey() {
  for (int k = 0; k < numKeys; k++)
    if (keyCounts[k] == 1) return true;
  return mouse.leftReleased() || mouse.rightReleased();
}

void clearKeys() {
  for (int k = 0; k < numKeys; k++) {
    keys[k] = false;
    keyCounts[k] = 0;
  }
  typedKeys.clear();
}

void clearInput() {
  clearKeys();
  mouse.clearClicks();
}

namespace {
// The keys typed this frame, in order, that nothing has cleared since (a cleared key was
// taken by something else). Each is handed out once.
std::vector<int> takeTypedKeys() {
  std::vector<int> taken;
  for (int key : typedKeys)
    if (keys.at(key)) taken.push_back(key);
  typedKeys.clear();
  return taken;
}

char typedLetterOrDigit(int key) {
  if (key >= 'a' && key <= 'z') {
    if (modState() & (KMOD_SHIFT | KMOD_CAPS)) return static_cast<char>(key - 'a' + 'A');
    return static_cast<char>(key);
  }
  if (key >= '0' && key <= '9') return static_cast<char>(key);
  return 0;
}
}  // namespace

bool keyboardToString(std::string& text) {
  for (int key : takeTypedKeys()) {
    if (char c = typedLetterOrDigit(key)) {
      text += c;
    } else if (key == SDLK_BACKSPACE) {
      if (!text.empty()) text.erase(text.size() - 1);
    } else if (key == SDLK_SPACE) {
      text += " ";
    } else if (key == SDLK_MINUS) {
      text += '-';
    } else if (key == SDLK_RETURN || key == SDLK_ESCAPE) {
      // Escape keeps what was typed, like Return; keys after it are not part of the entry.
      return false;
    }
  }
  return true;
}

bool keyboardToNum(std::string& text) {
  for (int key : takeTypedKeys()) {
    if (key >= '0' && key <= '9') {
      char const c = static_cast<char>(key);
      if (text == "0")
        text = std::string(1, c);
      else if (text == "-0")
        text = std::string("-") + c;
      else
        text += c;
    } else if (key == SDLK_MINUS) {
      if (text.empty()) text += '-';
    } else if (key == SDLK_PERIOD) {
      if (text.find('.') == std::string::npos) text += '.';
    } else if (key == SDLK_BACKSPACE) {
      if (!text.empty()) text.erase(text.size() - 1);
    } else if (key == SDLK_RETURN || key == SDLK_ESCAPE) {
      return false;
    }
  }
  return true;
}

std::string keyboardToFilename(std::string const& extension) {
  std::string name;
  for (;;) {
    miniLoop(nullptr);
    if (!keyboardToString(name)) break;
    printInfo("Filename: " + name, 10);
  }
  printInfo(" ", 10);
  if (!extension.empty()) addExtension(name, extension);
  // Escape must not also end the program from the frame loop.
  for (int k = 0; k < 256; k++) keys[k] = false;
  return name;
}
