#include "lockdown/platform/SdlBackend.h"

#include <cstring>
#include <thread>

#include "lockdown/platform/VirtualKeys.h"

namespace lockdown::platform {
namespace {
// A page flip waits for the display's refresh; the game's modal screens count flips.
constexpr auto kFlipInterval = std::chrono::microseconds(1000000 / 60);
}  // namespace

SdlBackend::SdlBackend() : start(std::chrono::steady_clock::now()), lastFlip(start) {}

SdlBackend::~SdlBackend() { Close(); }

bool SdlBackend::Open(bool bWindowed) {
  if (SDL_Init(SDL_INIT_VIDEO) < 0) return false;
  SDL_WM_SetCaption("Main Window", "lockdown");
  Uint32 flags = SDL_SWSURFACE | SDL_HWPALETTE | (bWindowed ? 0 : SDL_FULLSCREEN);
  screen = SDL_SetVideoMode(kWidth, kHeight, 8, flags);
  if (!screen) {
    SDL_Quit();
    return false;
  }
  SDL_ShowCursor(SDL_DISABLE);
  // The game reads relative motion: the pointer is held in the window, in a window too,
  // while the game has the focus (see HandleEvent).
  SDL_WM_GrabInput(SDL_GRAB_ON);
  SDL_EnableKeyRepeat(0, 0);
  std::lock_guard<std::mutex> lock(mutex);
  bOpen = true;
  return true;
}

void SdlBackend::Close() {
  {
    std::lock_guard<std::mutex> lock(mutex);
    if (!bOpen) return;
    bOpen = false;
  }
  shownCv.notify_all();
  SDL_Quit();
  screen = nullptr;
}

int SdlBackend::VirtualKeyOf(SDLKey key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_KP0 && key <= SDLK_KP9) return VK_NUMPAD0 + (key - SDLK_KP0);
  if (key >= SDLK_F1 && key <= SDLK_F15) return VK_F1 + (key - SDLK_F1);
  switch (key) {
    case SDLK_BACKSPACE:
      return VK_BACK;
    case SDLK_TAB:
      return VK_TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return VK_RETURN;
    case SDLK_PAUSE:
      return VK_PAUSE;
    case SDLK_ESCAPE:
      return VK_ESCAPE;
    case SDLK_SPACE:
      return VK_SPACE;
    case SDLK_PAGEUP:
      return VK_PRIOR;
    case SDLK_PAGEDOWN:
      return VK_NEXT;
    case SDLK_END:
      return VK_END;
    case SDLK_HOME:
      return VK_HOME;
    case SDLK_LEFT:
      return VK_LEFT;
    case SDLK_UP:
      return VK_UP;
    case SDLK_RIGHT:
      return VK_RIGHT;
    case SDLK_DOWN:
      return VK_DOWN;
    case SDLK_INSERT:
      return VK_INSERT;
    case SDLK_DELETE:
      return VK_DELETE;
    case SDLK_KP_MULTIPLY:
      return VK_MULTIPLY;
    case SDLK_KP_PLUS:
      return VK_ADD;
    case SDLK_KP_MINUS:
      return VK_SUBTRACT;
    case SDLK_KP_PERIOD:
      return VK_DECIMAL;
    case SDLK_KP_DIVIDE:
      return VK_DIVIDE;
    case SDLK_LSHIFT:
      return VK_LSHIFT;
    case SDLK_RSHIFT:
      return VK_RSHIFT;
    case SDLK_LCTRL:
      return VK_LCONTROL;
    case SDLK_RCTRL:
      return VK_RCONTROL;
    case SDLK_LALT:
      return VK_LMENU;
    case SDLK_RALT:
      return VK_RMENU;
    case SDLK_CAPSLOCK:
      return VK_CAPITAL;
    case SDLK_SEMICOLON:
      return VK_OEM_1;
    case SDLK_EQUALS:
      return VK_OEM_PLUS;
    case SDLK_COMMA:
      return VK_OEM_COMMA;
    case SDLK_MINUS:
      return VK_OEM_MINUS;
    case SDLK_PERIOD:
      return VK_OEM_PERIOD;
    case SDLK_SLASH:
      return VK_OEM_2;
    case SDLK_BACKQUOTE:
      return VK_OEM_3;
    case SDLK_LEFTBRACKET:
      return VK_OEM_4;
    case SDLK_BACKSLASH:
      return VK_OEM_5;
    case SDLK_RIGHTBRACKET:
      return VK_OEM_6;
    case SDLK_QUOTE:
      return VK_OEM_7;
    default:
      return 0;
  }
}

void SdlBackend::HandleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      SDLKey key = event.key.keysym.sym;
      bool bDown = event.type == SDL_KEYDOWN;
      if (key <= SDLK_FIRST || key >= SDLK_LAST || sdlKeyDown[key] == bDown) break;
      sdlKeyDown[key] = bDown;
      int vk = VirtualKeyOf(key);
      if (vk <= 0) break;
      std::lock_guard<std::mutex> lock(mutex);
      keyDownCount[vk] += bDown ? 1 : -1;
      if (bDown) keyTapped[vk] = true;
      // Either side's modifier also holds the generic code.
      int generic = (vk == VK_LSHIFT || vk == VK_RSHIFT)       ? VK_SHIFT
                    : (vk == VK_LCONTROL || vk == VK_RCONTROL) ? VK_CONTROL
                    : (vk == VK_LMENU || vk == VK_RMENU)       ? VK_MENU
                                                               : 0;
      if (generic) {
        keyDownCount[generic] += bDown ? 1 : -1;
        if (bDown) keyTapped[generic] = true;
      }
      break;
    }
    case SDL_MOUSEMOTION: {
      std::lock_guard<std::mutex> lock(mutex);
      mouseDx += event.motion.xrel;
      mouseDy += event.motion.yrel;
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      int index = event.button.button == SDL_BUTTON_LEFT     ? 0
                  : event.button.button == SDL_BUTTON_RIGHT  ? 1
                  : event.button.button == SDL_BUTTON_MIDDLE ? 2
                                                             : -1;
      if (index < 0) break;
      std::lock_guard<std::mutex> lock(mutex);
      buttonDown[index] = event.type == SDL_MOUSEBUTTONDOWN;
      if (buttonDown[index]) buttonTapped[index] = true;
      break;
    }
    case SDL_ACTIVEEVENT:
      if (event.active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE)) {
        if (!event.active.gain) {
          // Keys released while away would stay held for ever.
          std::lock_guard<std::mutex> lock(mutex);
          std::memset(keyDownCount, 0, sizeof keyDownCount);
          std::memset(sdlKeyDown, 0, sizeof sdlKeyDown);
          std::memset(keyTapped, 0, sizeof keyTapped);
          buttonDown[0] = buttonDown[1] = buttonDown[2] = false;
        }
        // Held while the game has the focus, so that the zizuzu does not stop at the edge of
        // a window and a click does not land on another program; let go when it has not.
        SDL_WM_GrabInput(event.active.gain ? SDL_GRAB_ON : SDL_GRAB_OFF);
        if (onActivate) onActivate(event.active.gain != 0);
      }
      break;
    case SDL_QUIT:
      if (onQuit) onQuit();
      break;
    default:
      break;
  }
}

void SdlBackend::Pump() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) HandleEvent(event);
  ShowPending();
}

void SdlBackend::WaitForWork(int ms) {
  std::unique_lock<std::mutex> lock(mutex);
  submittedCv.wait_for(lock, std::chrono::milliseconds(ms), [&] { return submitted != shown; });
}

void SdlBackend::ShowPending() {
  std::unique_lock<std::mutex> lock(mutex);
  if (submitted == shown || !screen) return;
  SDL_Color colours[256];
  for (int i = 0; i < 256; ++i)
    colours[i] =
        SDL_Color{pendingPalette[i].red, pendingPalette[i].green, pendingPalette[i].blue, 0};
  SDL_SetPalette(screen, SDL_LOGPAL | SDL_PHYSPAL, colours, 0, 256);
  if (SDL_LockSurface(screen) == 0) {
    for (int y = 0; y < kHeight; ++y)
      std::memcpy(static_cast<uint8_t*>(screen->pixels) + y * screen->pitch, &pending[y * kWidth],
                  kWidth);
    SDL_UnlockSurface(screen);
  }
  SDL_Flip(screen);
  shown = submitted;
  lock.unlock();
  shownCv.notify_all();
}

uint32_t SdlBackend::TickCount() {
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                   std::chrono::steady_clock::now() - start)
                                   .count());
}

void SdlBackend::Sleep(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

void SdlBackend::WaitUntil(uint32_t tick) {
  // Sleep the bulk and poll the last stretch: frames keep their length without
  // burning a processor core.
  for (uint32_t now = TickCount(); now < tick; now = TickCount()) {
    if (tick - now > 2)
      std::this_thread::sleep_for(std::chrono::milliseconds(tick - now - 1));
    else
      std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
}

bool SdlBackend::KeyDown(int vk) {
  std::lock_guard<std::mutex> lock(mutex);
  if (vk == VK_LBUTTON) return buttonDown[0];
  if (vk == VK_RBUTTON) return buttonDown[1];
  if (vk == VK_MBUTTON) return buttonDown[2];
  if (vk <= 0 || vk > 255) return false;
  bool bHeld = keyDownCount[vk] > 0 || keyTapped[vk];
  keyTapped[vk] = false;
  return bHeld;
}

MouseState SdlBackend::ReadMouse() {
  std::lock_guard<std::mutex> lock(mutex);
  MouseState state;
  state.dx = mouseDx;
  state.dy = mouseDy;
  mouseDx = mouseDy = 0;
  for (int b = 0; b < 3; ++b) {
    state.buttons[b] = buttonDown[b] || buttonTapped[b] ? 0x80 : 0;
    buttonTapped[b] = false;
  }
  return state;
}

void SdlBackend::Present(const Surface& frame, const PaletteTable& palette) {
  {
    std::unique_lock<std::mutex> lock(mutex);
    if (!bOpen || frame.Width() != kWidth || frame.Height() != kHeight) return;
    pending.assign(frame.Pixels(), frame.Pixels() + static_cast<size_t>(kWidth) * kHeight);
    pendingPalette = palette;
    uint64_t mine = ++submitted;
    submittedCv.notify_all();
    shownCv.wait(lock, [&] { return shown >= mine || !bOpen; });
  }
  auto next = lastFlip + kFlipInterval;
  auto now = std::chrono::steady_clock::now();
  if (now < next) std::this_thread::sleep_until(next);
  lastFlip = std::chrono::steady_clock::now();
}

}  // namespace lockdown::platform
