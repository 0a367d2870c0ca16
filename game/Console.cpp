#include "game/Console.h"

#include <GL/gl.h>
#include <SDL_mixer.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "core/Debug.h"
#include "core/GetParents.h"
#include "core/Profiler.h"
#include "core/StringConversions.h"
#include "core/Ticks.h"
#include "editor/Editor.h"
#include "editor/UnsavedWork.h"
#include "game/Game.h"
#include "game/GameStates.h"
#include "game/LeakChecking.h"
#include "presentation/Draw.h"
#include "presentation/InputSource.h"
#include "presentation/Keyboard.h"
#include "presentation/Mouse.h"
#include "presentation/Sound.h"
#include "presentation/Text.h"

bool bSound = true;
bool bDrawFps = true;
bool bLockFps = true;
bool bFullscreen = true;
bool bEscapeQuits = true;
bool bGeneralProfile = true;
float fps = 30.0f;
int audio_rate = 22050;
Uint16 audio_format = AUDIO_S16LSB;
int audio_channels = 2;
int audio_buffers = 1024;
int numMixChannels = 48;

SDL_Surface* screen = nullptr;
Uint32 videoFlags = 0;
bool bPaused = false;
bool bClosingProgram = false;
bool bFirstCycle = true;
int currentFps = 0;

std::vector<std::string> info(20);
Mouse mouse;
Color backColor(0, 0, 0);
Game myGame;

namespace {
const int infoLineLength = 255;

std::function<void(int)>& exitHook() {
  static std::function<void(int)> hook;
  return hook;
}

int windowWidth = 800;
int windowHeight = 600;

// The window's close and SIGTERM wait for the frame loop, which keeps unsaved work first.
bool bCloseRequested = false;
volatile sig_atomic_t bTerminateRequested = 0;

void requestTermination(int) { bTerminateRequested = 1; }

// Ends the program at a termination request, unsaved work kept in a recovery file; true when
// a test's exit hook came back.
bool endOnTermination() {
  if (!bTerminateRequested) return false;
  bTerminateRequested = 0;
  keepUnsavedWork();
  endProgram(128 + SIGTERM);
  return true;
}

// Each loop keeps its own end of the last frame, so the first frame of each never waits.
uint32_t lastFrameEnd = 0;
uint32_t lastMiniLoopFrameEnd = 0;

// The FPS counter's second: frames counted since it began, at tick lastMeasurement.
bool bFirstFpsCall = true;
uint32_t lastMeasurement = 0;
int frameCount = 0;

void clearBuffers() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }
}  // namespace

void endProgram(int status) {
  if (exitHook()) {
    exitHook()(status);
    return;
  }
  exit(status);
}

void setExitHook(std::function<void(int)> hook) { exitHook() = hook; }

int getWindowWidth() { return windowWidth; }
int getWindowHeight() { return windowHeight; }

void fitWindow(int width, int height) {
  if (height == 0) height = 1;
  windowWidth = width;
  windowHeight = height;
  resizeWindow(width, height);
}

void printInfo(int line, char const* format, ...) {
  char buffer[infoLineLength + 1];
  va_list args;
  va_start(args, format);
  vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  printInfo(std::string(buffer), line);
}

void printInfo(std::string const& text, int line) {
  if (line < 0 || line >= static_cast<int>(info.size())) {
    recordError("Error: info line out of range:", line);
    return;
  }
  info[line] = text.substr(0, infoLineLength);
}

void printInfo(int line, std::stringstream& text) {
  if (line < 0) {
    recordError("Error: info line out of range:", line);
    return;
  }
  if (line >= static_cast<int>(info.size())) info.resize(line + 1);
  std::getline(text, info[line]);
}

void clearInfo(int min, int max) {
  if (min < 0) min = 0;
  for (int i = min; i <= max && i < static_cast<int>(info.size()); i++) info[i] = " ";
}

void clearInfo(int line) { clearInfo(line, static_cast<int>(info.size()) - 1); }

void clearInfo() { clearInfo(0); }

float getScreenWidth() { return 800; }
float getScreenHeight() { return 600; }

namespace {
std::string getWorkingFolder() {
  char here[4096];
  if (!getcwd(here, sizeof here)) return "the current folder";
  return here;
}

// The run folder staged beside the program by the build ("make run" starts qor there), or a
// description of it when there is none.
std::string getRunFolder() {
  char exe[4096];
  ssize_t length = readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (length > 0) {
    exe[length] = 0;
    std::string folder = exe;
    folder = folder.substr(0, folder.rfind('/') + 1) + "run";
    struct stat info;
    if (stat((folder + "/heirarchy.hcy").c_str(), &info) == 0) return folder;
  }
  return "the folder \"run\" that the build stages beside the program";
}
}  // namespace

void reportStartUpFailure(std::string const& reason, bool bRunFolderHint) {
  fprintf(stderr, "qor: %s\n", reason.c_str());
  if (bRunFolderHint)
    fprintf(stderr, "qor: run qor from %s (\"make run\" starts it there)\n",
            getRunFolder().c_str());
  fflush(stderr);
}

bool checkRunFolder() {
  std::vector<std::string> missing;
  for (char const* name : {"FreeMono.ttf", "heirarchy.hcy", "xml", "C:/C"}) {
    struct stat info;
    if (stat(name, &info) != 0) missing.push_back(name);
  }
  for (size_t i = 0; i < missing.size(); i++)
    reportStartUpFailure("cannot start: \"" + missing[i] + "\" is missing in " + getWorkingFolder(),
                         i + 1 == missing.size());
  return missing.empty();
}

void catchTermination() { signal(SIGTERM, requestTermination); }

void startCoreServices() {
  // A file-size limit would end the program at the first log line past it; ignored, the
  // write fails instead and the line is lost.
  signal(SIGXFSZ, SIG_IGN);
  clearDebugFile();
  readHeirarchy();
  srand(static_cast<unsigned>(time(nullptr)));
}

void init() {
  // Started from another folder, qor finds neither its data nor its log folder.
  if (!checkRunFolder()) {
    endProgram(1);
    return;
  }
  startCoreServices();
  if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO) < 0) {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) {
      printf("Unable to init SDL: %s\n", SDL_GetError());
      fflush(stdout);
      endProgram(1);
      return;
    }
    printf("Unable to init audio: %s\n", SDL_GetError());
    fflush(stdout);
    bSound = false;
  }
  catchTermination();
  // They run in reverse: shutdown first, then SDL's quit.
  atexit(SDL_Quit);
  atexit(shutdown);
  SDL_ShowCursor(SDL_DISABLE);
  setVideoMode();
  if (Mix_OpenAudio(audio_rate, audio_format, audio_channels, audio_buffers)) {
    recordError("Unable to open audio!\n");
    reportStartUpFailure(std::string("cannot open the audio device: ") + Mix_GetError(), false);
    endProgram(1);
    return;
  }
  Mix_AllocateChannels(numMixChannels);
  loadFont("FreeMono.ttf", 14);
  clearKeys();
  Mix_Volume(-1, 35);
  myGame.init();
  keepLoadedLibraries();
}

void setVideoMode() {
  SDL_VideoInfo const* videoInfo = SDL_GetVideoInfo();
  if (!videoInfo) {
    recordError("Error: Video query failed:", SDL_GetError());
    reportStartUpFailure(std::string("cannot query the video device: ") + SDL_GetError(), false);
    endProgram(1);
    return;
  }
  videoFlags = SDL_OPENGL | SDL_HWSURFACE | SDL_ASYNCBLIT | SDL_HWPALETTE | SDL_RESIZABLE;
  if (bFullscreen) videoFlags |= SDL_FULLSCREEN;
  if (videoInfo->hw_available) videoFlags |= SDL_HWSURFACE;
  if (videoInfo->blit_hw) videoFlags |= SDL_HWACCEL;
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);

  int width = static_cast<int>(getScreenWidth());
  int height = static_cast<int>(getScreenHeight());
  int bpp = videoInfo->vfmt ? videoInfo->vfmt->BitsPerPixel : 0;
  screen = SDL_SetVideoMode(width, height, bpp, videoFlags);
  if (!screen) {
    recordError("Unable to use hardware surface, trying software...");
    screen = SDL_SetVideoMode(width, height, bpp, SDL_ANYFORMAT);
  }
  if (!screen) {
    recordError("Unable to set video");
    recordError(width, height);
    recordError(SDL_GetError());
    reportStartUpFailure(std::string("cannot set the 800 by 600 video mode: ") + SDL_GetError(),
                         false);
    endProgram(1);
    return;
  }
  initGL();
  fitWindow(width, height);
}

void shutdown() {
  closeMusic();
  Mix_CloseAudio();
  bClosingProgram = true;
  myGame.shutdown();
}

void handleEvents() {
  SDL_Event event;
  InputSource& input = getInput();
  while (input.pollEvent(event)) {
    switch (event.type) {
      case SDL_KEYDOWN:
        handleKeyDown(event.key.keysym.sym);
        break;
      case SDL_KEYUP:
        handleKeyUp(event.key.keysym.sym);
        break;
      case SDL_QUIT:
        // Nothing to lose: the program ends at once, from any loop.
        if (!hasUnsavedWork()) {
          endProgram(0);
          return;
        }
        bCloseRequested = true;
        break;
      case SDL_VIDEORESIZE:
        screen = SDL_SetVideoMode(event.resize.w, event.resize.h, 0, videoFlags);
        if (!screen) {
          recordError("Error: Could not get a surface after resize:", SDL_GetError());
          endProgram(1);
          return;
        }
        fitWindow(event.resize.w, event.resize.h);
        break;
      default:
        break;
    }
  }
}

uint32_t getFrameLength() {
  if (fps <= 0) return 0;
  // The whole milliseconds that make at least 1/fps seconds: 34 at 30 frames a second.
  uint32_t ms = 0;
  while (static_cast<float>(ms) / 1000.0f < 1.0f / fps) ms++;
  return ms;
}

void lockFrameRate(uint32_t& frameEnd) {
  waitUntilElapsed(frameEnd, getFrameLength());
  frameEnd = getTicks();
}

bool miniLoop(GameState* state) {
  if (bDrawFps) drawFps();
  drawInfo();
  SDL_GL_SwapBuffers();
  updateKeyTablesFromCounts();
  handleEvents();
  if (endOnTermination()) return true;
  mouse.process();
  clearBuffers();
  if (state) state->draw();
  if (bLockFps) lockFrameRate(lastMiniLoopFrameEnd);
  return true;
}

void runFrame() {
  if (bGeneralProfile) profiler.start("start");
  updateKeyTables();
  handleEvents();
  if (endOnTermination()) return;
  // The window was closed while the editor held changes: asked as Escape asks. Closed again
  // while asked, the program ends, the work kept in the recovery file.
  if (bCloseRequested) {
    bCloseRequested = false;
    bool const bQuit = mayDropUnsavedWork("The level has unsaved changes. Quit anyway?");
    if (bQuit || bCloseRequested) {
      if (!bQuit) keepUnsavedWork();
      bCloseRequested = false;
      endProgram(0);
      return;
    }
  }
  mouse.process();
  if (bGeneralProfile) profiler.setPoint("-processing time");
  if (!bPaused) myGame.process();
  // After the game's processing: a frame in which Escape goes down is still processed.
  // Checked while paused too: 'p' must not open a way out that skips the question.
  if (bEscapeQuits && keys[SDLK_ESCAPE] &&
      mayDropUnsavedWork("The level has unsaved changes. Quit anyway?")) {
    endProgram(0);
    return;
  }
  if (justPressed('p')) bPaused = !bPaused;
  if (bGeneralProfile) profiler.setPoint("-clearing screen");
  clearBuffers();
  if (bGeneralProfile) profiler.setPoint("-drawing game");
  myGame.draw();
  if (bGeneralProfile) profiler.setPoint("-drawing other stuff");
  drawInfo();
  if (bDrawFps) drawFps();
  if (bGeneralProfile) profiler.setPoint("-swapping buffers");
  SDL_GL_SwapBuffers();
  if (bGeneralProfile) profiler.stop();
  if (bLockFps) lockFrameRate(lastFrameEnd);
  bFirstCycle = false;
}

void drawInfo() {
  for (size_t i = 0; i < info.size(); i++)
    drawText(info[i], 10, 30 + 15 * static_cast<float>(i), 16, 0);
}

void drawFps() {
  if (bFirstFpsCall) {
    lastMeasurement = getTicks();
    bFirstFpsCall = false;
  }
  frameCount++;
  if (getTicks() > lastMeasurement + 1000) {
    currentFps = frameCount;
    lastMeasurement = getTicks();
    frameCount = 0;
  }
  std::string text = "FPS: ";
  addNumToString(text, currentFps);
  // Glyphs hang from the pen, down to about the font's height below it: the pen stands that
  // high above the bottom edge, so that the lowest rows stay on the screen.
  drawText(text, 10, static_cast<float>(getTextHeight(0)), 16, 0);
}

void restartFrameClocks() {
  lastFrameEnd = 0;
  lastMiniLoopFrameEnd = 0;
  bFirstFpsCall = true;
  lastMeasurement = 0;
  frameCount = 0;
  currentFps = 0;
}
