// The main module of qor: start-up, the frame loop, the modal one-frame pump, the exit
// handler, the on-screen info lines and the frames-per-second counter.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/GameServices.h"
#include "presentation/Colors.h"

class Game;
class GameState;

// Compiled-in switches and device settings.
extern bool bSound;
extern bool bDrawFps;
extern bool bLockFps;
// Tests open a window instead.
extern bool bFullscreen;
extern bool bEscapeQuits;
extern float fps;
extern int audio_rate;
extern Uint16 audio_format;
extern int audio_channels;
extern int audio_buffers;
extern int numMixChannels;

extern SDL_Surface* screen;
extern Uint32 videoFlags;
extern bool bPaused;
extern int currentFps;
// The on-screen info lines, 20 at start.
extern std::vector<std::string> info;
extern Game myGame;
// Black; the message boxes read it.
extern Color backColor;

void init();
void setVideoMode();
void shutdown();
void handleEvents();
// One frame of a modal loop, drawing `state` (may be null) while nothing is processed.
bool miniLoop(GameState* state);
void drawInfo();
void drawFps();

// The text as it stands (no format), on a line of the 20; a line outside them is logged.
void printInfo(std::string const& text, int line);
void clearInfo();
void clearInfo(int min, int max);

// Start-up steps that need no screen: empty the log, read the class table, seed the randoms.
void startCoreServices();
// Whether the working folder holds what qor reads from it (the font, the class table, the data
// folder "xml" and the log folder "C:/C/"); each piece missing is named on standard error,
// with the folder to run from.
bool checkRunFolder();
// A start-up failure told on standard error too, since the log may be out of reach; a line
// saying where to run qor from follows when bRunFolderHint is set.
void reportStartUpFailure(std::string const& reason, bool bRunFolderHint);
// One pass of the frame loop.
void runFrame();
// SIGTERM no longer ends the program at once: the frame loop ends it, keeping unsaved work
// in a recovery file (keepUnsavedWork). Part of start-up.
void catchTermination();

// Sleeps until 1/fps seconds have passed since lastFrameEnd, then stores a fresh tick count in
// it. The first frame (lastFrameEnd 0) does not wait.
void lockFrameRate(uint32_t& lastFrameEnd);
// 1/fps seconds in whole milliseconds, rounded up.
uint32_t getFrameLength();
// For tests that start the game again in one process: the frame loops and the FPS counter
// start as in a new one.
void restartFrameClocks();

// Ends the process with the status; tests install a hook instead (null restores exit).
void endProgram(int status);
void setExitHook(std::function<void(int)> hook);

// Window size in pixels; the logical screen stays 800 by 600 whatever it is.
int getWindowWidth();
int getWindowHeight();
// Fits the drawing to a window: the viewport covers it, the projection stays the logical screen.
void fitWindow(int width, int height);
