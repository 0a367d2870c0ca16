// The game module: the one Game object with its frame loop, global keys, message lines,
// banner, title, "Game Over" and ending screens, and level loading.
#pragma once

#include <atomic>
#include <cstdint>
#include <istream>
#include <string>

#include "lockdown/CheckedVector.h"
#include "lockdown/Computer.h"
#include "lockdown/Editor.h"
#include "lockdown/Messages.h"
#include "lockdown/Sprite.h"
#include "lockdown/String.h"
#include "lockdown/WallPass.h"

namespace lockdown {

class Object;

constexpr int kMessageLines = 20;
constexpr int kMessageLength = 150;
constexpr uint32_t kFrameMilliseconds = 30;
// Levels larger than this each way are cut to it when read.
constexpr int kMaxLevelSize = 20000;

class Game {
 public:
  Game();

  void Init();
  // The frame loop: returns when the player quits.
  void Run();
  // One pass of the frame loop; false when the game is to end.
  bool RunFrame();
  void Cleanup();

  bool LoadLevel(const String& name);
  // LoadLevel from a stream; the name is for the log.
  bool ReadLevel(std::istream& in, const String& name);
  void RestartLevel();
  // Whether quitting now would lose the designer's work: edits in the editor, or a level
  // played from the editor that was not saved.
  bool UnsavedWork();
  // On a termination request: unsaved work goes to the recovery file beside the level.
  void KeepUnsavedWork();
  bool LoadGraphics();
  void ReleaseGraphics();
  void ToggleEditor();
  void Draw();
  void ShowBanner(const char* text);

  void TitleScreen();
  void PauseWhileInactive();
  void UpdateCamera();
  void UpdateOutcome();
  void StepWorld();
  void AgeMessages();
  void LevelTransition();
  bool HandleGlobalKeys();
  void DrawSectionTimes();
  void BuildComputerMenus();
  void DrawZizuzuOverlay();
  // The level size becomes the mouse's travel limits and the camera's bounds.
  void ApplyLevelSize();
  void ResetMouseToZizuzu();
  // The status line under the override; the age of the messages starts again.
  void SetStatus(const char* text);
  DeviceMenu& DeviceMenuAt(int i) { return deviceMenus.At(i); }
  Controllable* ControllableOf(Object* object);

  void SetMessage(int line, const char* text);
  const char* Message(int line) const;
  void ClearMessages();
  // Play goes on while the zizuzu has lives or is dying; a level without one runs empty.
  bool ZizuzuInPlay();

  // Set by the window thread on activation changes; the game sleeps while it is set.
  std::atomic<bool> bPaused{false};
  // Set by the window thread when the window is closed.
  std::atomic<bool> bCloseRequested{false};
  // Set on SIGTERM (which also requests the close): the game ends without questions.
  std::atomic<bool> bTerminateRequested{false};
  Editor editor;
  // The level as the editor last handed it to play while it held unsaved changes: entering
  // the editor and restarting the level come back to it, until the editor loads, clears or
  // saves. Empty when there is none.
  std::string testLevel;
  int counter = 0;
  String levelName;
  String nextLevelName;
  int levelWidth = 800, levelHeight = 600;
  bool bEditing = false;
  Object* zizuzu = nullptr;
  // The object under manual control (camera mode 1).
  Object* manualObject = nullptr;
  int bLevelComplete = 0;
  int cameraMode = 0;  // 0 zizuzu, 1 manual control, 2 free
  int backgroundColour = 6;
  char messages[kMessageLines][kMessageLength];
  int messageAge = -1;
  Banner banner;
  uint32_t frameStart = 0;
  IntVector sectionMarks;
  Sprite gameSprite;
  Sprite titleSprite;
  char statusLine[kMessageLength];
  bool bHadPause = false;
  Computer computer;
  TerminalMenu terminalMenu;
  CheckedVector<DeviceMenu> deviceMenus;
  // The command a device is asked to run.
  String currentCommand;
  int cursorMode = 0;  // 0 normal, 1 device menu open, 2 override active
  WallPass wallPass;
  // Frames run by the frame loop, for whoever watches the game from outside.
  std::atomic<int> framesRun{0};
};

extern Game game;

}  // namespace lockdown
