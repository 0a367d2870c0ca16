#include "lockdown/Keys.h"

#include <cstring>

#include "lockdown/Game.h"
#include "lockdown/Input.h"
#include "lockdown/Log.h"
#include "lockdown/Screen.h"
#include "lockdown/platform/Backend.h"
#include "lockdown/platform/VirtualKeys.h"

namespace lockdown {

int keyCounters[256];

void UpdateKeyCounters() {
  for (int vk = 0; vk < 256; ++vk) {
    if (platform::GetAsyncKeyState(vk) & 0x8000)
      ++keyCounters[vk];
    else
      keyCounters[vk] = 0;
  }
}

void ClearKeyCounters() { std::memset(keyCounters, 0, sizeof keyCounters); }

bool PollInput() {
  input.Update();
  UpdateKeyCounters();
  if (keyCounters[VK_ESCAPE] != 0 || game.bCloseRequested) return false;
  game.Draw();
  return true;
}

bool ArrowRepeat() {
  for (int vk : {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN})
    if (keyCounters[vk] % 6 == 1) return true;
  return false;
}

char TypedChar() {
  for (int vk = 'A'; vk <= 'Z'; ++vk)
    if (keyCounters[vk] == 1) return static_cast<char>(keyCounters[VK_SHIFT] ? vk : vk - 'A' + 'a');
  for (int vk = '0'; vk <= '9'; ++vk)
    if (keyCounters[vk] == 1) return static_cast<char>(vk);
  return 0;
}

bool EditLine(String& s) {
  if (char c = TypedChar()) {
    s.AppendChar(c);
    return true;
  }
  if (keyCounters[VK_BACK] == 1 && s.Length() > 0) {
    s.DropLast();
    return true;
  }
  return keyCounters[VK_RETURN] == 0 && keyCounters[VK_ESCAPE] == 0;
}

String PromptFileName(const String& suffix) {
  String name;
  // Names longer than a message line could not be shown or typed back.
  constexpr int kMaxName = 100;
  while (PollInput() && EditLine(name)) {
    if (name.Length() > kMaxName) name = name.Substring(0, kMaxName);
    game.SetMessage(10, Format("Filename: %s", name.CStr()).c_str());
    FlipScreen();
  }
  game.SetMessage(10, "");
  EnsureSuffix(name, suffix);
  ClearKeyCounters();
  return name;
}

}  // namespace lockdown
