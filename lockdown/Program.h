// The program's entry: the main thread opens the screen and pumps its events until the
// game thread, which runs the whole game, says it has finished.
#pragma once

#include <atomic>

namespace lockdown {

struct ProgramOptions {
  bool bWindowed = false;
};

// Set by the game thread as its last act.
extern std::atomic<bool> bQuit;

// Returns the process exit status: 0 after a normal end, 1 when the screen could not
// be set up.
int RunProgram(const ProgramOptions& options);
// 0 on success, 3 when the screen could not be set up.
int InitSystems();
void ShutdownSystems();
// SIGTERM's handler: the game ends through its frame loop, unsaved work kept first.
void RequestTermination(int signal);
void GameThreadProc();

}  // namespace lockdown
