// The real program on an X display (the tests run under Xvfb): its screen shows the
// title, window events pause it, and it ends with status 0.
// clang-format off
// gtest first: Xlib defines None and Bool as macros, which gtest's own names would meet.
#include <gtest/gtest.h>
// clang-format on
#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

#include "lockdown/Game.h"
#include "lockdown/Program.h"

namespace lockdown {
namespace {

using namespace std::chrono_literals;

void PushKey(SDLKey key) {
  for (Uint8 type : {Uint8(SDL_KEYDOWN), Uint8(SDL_KEYUP)}) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
  }
}

void PushActivation(bool bGain) {
  SDL_Event event{};
  event.type = SDL_ACTIVEEVENT;
  event.active.gain = bGain ? 1 : 0;
  event.active.state = SDL_APPINPUTFOCUS;
  SDL_PushEvent(&event);
}

template <class F>
bool WaitFor(F condition, std::chrono::milliseconds limit) {
  auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (condition()) return true;
    std::this_thread::sleep_for(10ms);
  }
  return condition();
}

// What the driver thread saw; the test's thread checks it once the program has ended.
struct DriverFindings {
  bool bLeftTitle = false;
  bool bPausedAfterGain = true;
  bool bPaused = false;
  bool bFrozen = false;
  bool bResumed = false;
};

TEST(Program, PausesWhileInactiveAndEscapeEndsWithStatusZero) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
  DriverFindings seen;
  std::atomic<bool> bProgramEnded{false};
  const int framesBefore = game.framesRun;
  // RunProgram clears bQuit once its screen (and SDL's event queue) is open, and the game
  // thread sets it last: events are pushed only in between.
  bQuit = true;
  auto running = [] { return !bQuit; };
  std::thread driver([&] {
    // Enter leaves the title once the program takes events; it is pressed until play runs.
    seen.bLeftTitle = WaitFor(
        [&] {
          if (running()) PushKey(SDLK_RETURN);
          return game.framesRun > framesBefore + 5;
        },
        10000ms);
    if (seen.bLeftTitle) {
      PushActivation(true);  // a gain while active changes nothing
      std::this_thread::sleep_for(200ms);
      seen.bPausedAfterGain = game.bPaused;
      PushActivation(false);
      seen.bPaused = WaitFor([] { return game.bPaused.load(); }, 2000ms);
      std::this_thread::sleep_for(200ms);
      int frozen = game.framesRun;
      std::this_thread::sleep_for(800ms);
      seen.bFrozen = game.framesRun == frozen;
      PushActivation(true);
      seen.bResumed = WaitFor([&] { return game.framesRun > frozen + 3; }, 3000ms);
    }
    // Whatever happened, the program is ended: by Escape while it surely runs (it cannot end
    // before taking it, so no event is pushed after its screen has closed), else, and when
    // Escape does not end it, closed as its window would be.
    if (seen.bResumed) {
      PushKey(SDLK_ESCAPE);
      if (WaitFor([&] { return bProgramEnded.load(); }, 5000ms)) return;
    }
    game.bCloseRequested = true;
  });
  int status = RunProgram(ProgramOptions{true});
  // The virtual display refuses connections while it resets after its last client: the
  // program is started again once when it could not open its screen.
  if (status == 1) {
    std::this_thread::sleep_for(500ms);
    status = RunProgram(ProgramOptions{true});
  }
  bProgramEnded = true;
  driver.join();
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(seen.bLeftTitle);
  EXPECT_FALSE(seen.bPausedAfterGain);
  EXPECT_TRUE(seen.bPaused);
  EXPECT_TRUE(seen.bFrozen);
  EXPECT_TRUE(seen.bResumed);
  EXPECT_TRUE(bQuit);
}

unsigned long Rgb(int r, int g, int b) {
  return (static_cast<unsigned long>(r) << 16) | (g << 8) | b;
}

// The root window read back, with the 800 by 600 screen found in it: its top-left is a pixel of
// the background colour whose screen, all of it inside the root window, has that colour in
// every corner. Every read is bounded; outside the image a pixel reads as none.
struct Screenshot {
  static constexpr unsigned long kNone = ~0ul;
  Screenshot(Display* display, Window root, int width, int height) : width(width), height(height) {
    image = XGetImage(display, root, 0, 0, width, height, AllPlanes, ZPixmap);
  }
  ~Screenshot() {
    if (image) XDestroyImage(image);
  }
  Screenshot(const Screenshot&) = delete;
  Screenshot& operator=(const Screenshot&) = delete;

  unsigned long RootPixel(int x, int y) const {
    if (!image || x < 0 || y < 0 || x >= width || y >= height) return kNone;
    return XGetPixel(image, x, y) & 0xFFFFFF;
  }
  bool FindScreen(unsigned long background) {
    for (int y = 0; y + 599 < height; ++y)
      for (int x = 0; x + 799 < width; ++x)
        if (RootPixel(x, y) == background && RootPixel(x + 799, y) == background &&
            RootPixel(x, y + 599) == background && RootPixel(x + 799, y + 599) == background) {
          originX = x;
          originY = y;
          return true;
        }
    return false;
  }
  unsigned long Pixel(int x, int y) const {
    if (originX < 0 || x < 0 || y < 0 || x >= 800 || y >= 600) return kNone;
    return RootPixel(originX + x, originY + y);
  }

  XImage* image = nullptr;
  int width, height;
  int originX = -1, originY = -1;
};

// The program run as a child process; however the test ends, the child is ended and reaped.
struct ChildProgram {
  ChildProgram() {
    pid = fork();
    if (pid == 0) {
      execl(LOCKDOWN_EXE, LOCKDOWN_EXE, static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~ChildProgram() {
    if (pid <= 0) return;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  // Asks the program to close and waits for it; the status as waitpid gives it.
  bool Close(int& status) {
    kill(pid, SIGTERM);
    bool bReaped = waitpid(pid, &status, 0) == pid;
    if (bReaped) pid = -1;
    return bReaped;
  }
  pid_t pid;
};

TEST(Program, FullScreenShowsTheTitleAndEndsCleanlyWhenClosed) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
  std::unique_ptr<Display, int (*)(Display*)> display(XOpenDisplay(nullptr), XCloseDisplay);
  ASSERT_NE(display, nullptr);
  Window root = DefaultRootWindow(display.get());
  XWindowAttributes attributes;
  XGetWindowAttributes(display.get(), root, &attributes);
  const unsigned long background = Rgb(12, 16, 40);  // palette entry 10
  // Another window in the top-right corner shows the same colour: it is no screen of 800 by 600.
  XSetWindowAttributes decoyLook{};
  decoyLook.override_redirect = True;
  decoyLook.background_pixel = background;
  Window decoy =
      XCreateWindow(display.get(), root, attributes.width - 24, 4, 20, 20, 0, CopyFromParent,
                    InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &decoyLook);
  XMapRaised(display.get(), decoy);
  XSync(display.get(), False);
  ChildProgram child;
  ASSERT_GT(child.pid, 0);
  bool bShown = WaitFor(
      [&] {
        XRaiseWindow(display.get(), decoy);
        XSync(display.get(), False);
        Screenshot probe(display.get(), root, attributes.width, attributes.height);
        return probe.FindScreen(background);
      },
      10000ms);
  ASSERT_TRUE(bShown) << "no 800 by 600 screen of the title's background on the display";
  std::this_thread::sleep_for(300ms);
  Screenshot shot(display.get(), root, attributes.width, attributes.height);
  ASSERT_TRUE(shot.FindScreen(background));
  EXPECT_EQ(shot.Pixel(700, 100), background);
  EXPECT_EQ(shot.Pixel(799, 599), background);
  EXPECT_EQ(shot.Pixel(300, 200), Rgb(80, 160, 255));  // the title's top rule
  int yellow = 0, white = 0;
  for (int y = 200; y < 300; ++y)
    for (int x = 100; x < 720; ++x) yellow += shot.Pixel(x, y) == Rgb(255, 230, 80);
  for (int y = 580; y < 595; ++y)
    for (int x = 10; x < 400; ++x) white += shot.Pixel(x, y) == Rgb(255, 255, 255);
  EXPECT_GT(yellow, 1000);
  EXPECT_GT(white, 50);

  // Closing (SDL turns the terminate signal into a quit event) ends the game normally.
  int status = 0;
  ASSERT_TRUE(child.Close(status));
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

// The window whose name is the game's caption, searched from the root down.
Window FindByName(Display* display, Window window, const char* name) {
  char* own = nullptr;
  if (XFetchName(display, window, &own) && own) {
    bool bMatch = std::strcmp(own, name) == 0;
    XFree(own);
    if (bMatch) return window;
  }
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  Window found = 0;
  if (XQueryTree(display, window, &root, &parent, &children, &count)) {
    for (unsigned i = 0; i < count && !found; ++i) found = FindByName(display, children[i], name);
    if (children) XFree(children);
  }
  return found;
}

// Whether another program holds the pointer: a grab of our own is refused then.
bool PointerHeldElsewhere(Display* display) {
  int result = XGrabPointer(display, DefaultRootWindow(display), False, 0, GrabModeAsync,
                            GrabModeAsync, None, None, CurrentTime);
  if (result == GrabSuccess) XUngrabPointer(display, CurrentTime);
  XSync(display, False);
  return result == AlreadyGrabbed;
}

TEST(Program, AWindowHoldsThePointerWhileItHasTheFocus) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
  // The virtual display resets once its last client has gone, and refuses connections
  // meanwhile: it is asked again for a while.
  Display* display = nullptr;
  WaitFor([&] { return (display = XOpenDisplay(nullptr)) != nullptr; }, 5000ms);
  ASSERT_NE(display, nullptr);
  pid_t child = fork();
  if (child == 0) {
    execl(LOCKDOWN_EXE, LOCKDOWN_EXE, "--windowed", static_cast<char*>(nullptr));
    _exit(127);
  }
  ASSERT_GT(child, 0);
  Window gameWindow = 0;
  EXPECT_TRUE(WaitFor(
      [&] {
        return (gameWindow = FindByName(display, DefaultRootWindow(display), "Main Window")) != 0;
      },
      10000ms));
  EXPECT_TRUE(WaitFor([&] { return PointerHeldElsewhere(display); }, 5000ms));

  // Another window takes the focus: the pointer is let go.
  Window other = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 50, 50, 0, 0, 0);
  XMapWindow(display, other);
  XSync(display, False);
  std::this_thread::sleep_for(200ms);
  XSetInputFocus(display, other, RevertToPointerRoot, CurrentTime);
  XSync(display, False);
  EXPECT_TRUE(WaitFor([&] { return !PointerHeldElsewhere(display); }, 5000ms));

  // The game's window has it again: held again.
  if (gameWindow) {
    XSetInputFocus(display, gameWindow, RevertToPointerRoot, CurrentTime);
    XSync(display, False);
    EXPECT_TRUE(WaitFor([&] { return PointerHeldElsewhere(display); }, 5000ms));
  }
  XDestroyWindow(display, other);
  XCloseDisplay(display);
  kill(child, SIGTERM);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status));
}

}  // namespace
}  // namespace lockdown
