// Keys by Windows virtual-key code: per-key counters of held frames, and the small
// modal input helpers built on them.
#pragma once

#include "lockdown/String.h"

namespace lockdown {

// 0 while the key is up, else the number of frames it has been held (1 on the first).
extern int keyCounters[256];

void UpdateKeyCounters();
void ClearKeyCounters();
// One frame of a modal loop: mouse and keys, then the game's frame is drawn. False once
// Escape is held or the window was asked to close.
bool PollInput();
bool ArrowRepeat();
// The letter or digit typed this frame, or 0.
char TypedChar();
bool EditLine(String& s);
String PromptFileName(const String& suffix);

}  // namespace lockdown
