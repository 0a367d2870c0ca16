// The polled keyboard: per SDL key symbol, whether the key went down this frame and for how
// many frame starts it has been held. The main module updates the tables once a frame.
#pragma once

#include <string>
#include <vector>

// Every SDL 1.2 key symbol lies below this.
const int numKeys = 323;

extern std::vector<bool> keys;
extern std::vector<int> keyCounts;
// Frames for which any Control, Shift or Alt key has been down (read by justPressedModKey).
extern int ctrl, shift, alt;

// Frame start: counts every key the key state shows down, then forgets last frame's presses.
void updateKeyTables();
// The same for the modal mini-loop, from the tables alone: a key counts as held from the frame
// of its key-down event until its key-up event.
void updateKeyTablesFromCounts();
// Key events; a symbol outside the tables is ignored.
void handleKeyDown(int key);
void handleKeyUp(int key);

bool justPressed(int key);
void clearKey(int key);
bool held(int key, int numCycles);
bool isDown(int key);
bool isPressed(int key);
int getKeycode(char c);
char checkForLetterNum();
char checkForNum();
char checkForCharacter();
bool arrowKey();
bool modKeyDown(int mask);
bool modKey(int const& mask);
bool justPressedModKey(int const& mask);
bool anyKey();
void clearKeys();
void clearInput();
bool keyboardToString(std::string& text);
bool keyboardToNum(std::string& text);
// Modal entry of a file name on info line 10, ended by Return or Escape; the extension, when
// given, is added. The key that ended the entry is cleared so that the frame does not act on it.
std::string keyboardToFilename(std::string const& extension);
