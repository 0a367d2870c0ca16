#include "lockdown/Game.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "lockdown/Bitmap.h"
#include "lockdown/Camera.h"
#include "lockdown/Guard.h"
#include "lockdown/Input.h"
#include "lockdown/Keys.h"
#include "lockdown/Log.h"
#include "lockdown/Object.h"
#include "lockdown/ReferenceSwitches.h"
#include "lockdown/Screen.h"
#include "lockdown/TargetGrid.h"
#include "lockdown/World.h"
#include "lockdown/WorldSprites.h"
#include "lockdown/Zizuzu.h"
#include "lockdown/platform/Backend.h"
#include "lockdown/platform/SafeSave.h"
#include "lockdown/platform/VirtualKeys.h"

namespace lockdown {

Game game;

namespace {
// Escape also leaves the title (every modal screen ends on it), but into the game.
const char* const kCreditLine = "lockdown - Enter, Space or a click starts; Escape quits in play";
const char* const kQuitAnyway = "The level has unsaved changes. Quit anyway?";
}  // namespace

Game::Game() : levelName(ConcatStrings("1", ".fly")) {
  ClearMessages();
  statusLine[0] = 0;
}

void Game::SetMessage(int line, const char* text) {
  if (line < 0 || line >= kMessageLines) return;
  std::snprintf(messages[line], kMessageLength, "%s", text ? text : "");
}

const char* Game::Message(int line) const {
  return line >= 0 && line < kMessageLines ? messages[line] : "";
}

void Game::ClearMessages() {
  for (auto& line : messages) line[0] = 0;
}

void Game::Init() {
  BuildTrigTables();
  sectionMarks.Resize(10);
  for (int i = 0; i < sectionMarks.Count(); ++i) sectionMarks.At(i) = -1;
  BuildComputerMenus();
  CreatePrototypes();
  LoadGraphics();
  TitleScreen();
  if (!bEditing) RestartLevel();
  counter = 0;
  messageAge = -1;
  cameraMode = bEditing ? 2 : 0;
  bLevelComplete = 0;
}

bool Game::LoadGraphics() {
  if (!LoadBitmapFile(sheet, "g.dat")) {
    LogMessage("g.dat not found!");
    return false;
  }
  SetPalette(sheet.palette);
  worldSprites.Cut();
  // The second guard look: colour scheme 1 of every guard sprite, from a guard of type 1.
  for (PtrList<Object>::Cursor c(prototypeList); !c.AtEnd(); c.Next()) {
    if (c.Current()->objectType != kGuardOne) continue;
    Guard* copy = static_cast<Guard*>(c.Current()->MakeCopy());
    std::vector<int> from, to;
    if (copy->GetColorScheme(from, to))
      for (int i = 0; i < kGuardSprites; ++i) worldSprites.Guard(i).NewColorScheme(from, to);
    delete copy;
  }
  gameSprite.Init(28, 28, 585, 170, 1, 1, 1, false, nullptr);
  titleSprite.Init(620, 100, 1, 390, 1, 1, 1, false, nullptr);
  UnloadBitmapFile(sheet);
  return true;
}

void Game::ReleaseGraphics() {
  worldSprites.Release();
  gameSprite.Release();
  titleSprite.Release();
}

void Game::TitleScreen() {
  backgroundColour = 10;
  titleSprite.x = 100;
  titleSprite.y = 200;
  while (PollInput() && !keyCounters[VK_RETURN] && !keyCounters[VK_SPACE] && !input.LeftClicked()) {
    titleSprite.Draw();
    DrawText(10, 580, kCreditLine, 255);
    input.DrawCursor();
    FlipScreen();
  }
  backgroundColour = 6;
}

void Game::Run() {
  while (RunFrame()) {
  }
}

bool Game::RunFrame() {
  frameStart = StartClock();
  PauseWhileInactive();
  input.Update();
  UpdateKeyCounters();
  UpdateCamera();
  if (bEditing)
    editor.Update();
  else
    UpdateOutcome();
  if (!HandleGlobalKeys()) return false;
  Draw();
  if (bEditing) editor.Draw();
  DrawSectionTimes();
  FlipScreen();
  FreeDestroyedObjects();
  ++framesRun;
  // Fixed frames with no catch-up: a slow frame simply takes longer.
  platform::CurrentBackend().WaitUntil(frameStart + kFrameMilliseconds);
  return true;
}

void Game::PauseWhileInactive() {
  while (bPaused && !bCloseRequested) {
    platform::Sleep(500);
    bHadPause = true;
  }
  // Software surfaces are never lost, so there is nothing to restore after a pause.
}

void Game::UpdateCamera() {
  if (cameraMode == 2 && !bEditing) {
    // The security override: a view that followed the mouse would carry the cursor along
    // and leave the menus behind, so it holds still until the cursor pushes past an edge,
    // and the terminal menu keeps its corner of the screen.
    camera.KeepInView(input.x, input.y);
    terminalMenu.MoveTo(camera.view.left + 10, camera.view.top + 10);
  } else if (cameraMode == 2) {
    camera.Follow(input.x, input.y);
  } else if (cameraMode == 0) {
    if (zizuzu)
      camera.Follow(static_cast<int>(zizuzu->Get("x")), static_cast<int>(zizuzu->Get("y")));
  } else if (cameraMode == 1 && manualObject) {
    int x = static_cast<int>((manualObject->Get("left") + manualObject->Get("right")) / 2);
    int y = static_cast<int>((manualObject->Get("top") + manualObject->Get("bottom")) / 2);
    camera.Follow(x, y);
  }
}

bool Game::ZizuzuInPlay() {
  if (!zizuzu) return true;
  return zizuzu->Get("lives") > 0 || zizuzu->Get("dyingFrames") > 0;
}

void Game::UpdateOutcome() {
  banner.Tick();
  if (bLevelComplete) {
    LevelTransition();
    return;
  }
  if (ZizuzuInPlay()) {
    StepWorld();
    return;
  }
  int savedBackground = backgroundColour;
  backgroundColour = 10;
  int frames = 0;
  while (PollInput()) {
    backgroundColour = 10;
    DrawCenteredText("Game Over", 255);
    if (input.LeftClicked() || frames > 30) {
      RestartLevel();
      break;
    }
    FlipScreen();
    ++frames;
  }
  backgroundColour = savedBackground;
}

namespace {
bool DueInLayer(const Object* object, int layer) {
  return object->updateLayer == layer && !object->bUpdated && !object->bDestroyed;
}

// The plain rule: after every update, scan the list from its head for the first object of
// the layer not yet updated, so that an update may create or destroy objects.
void UpdateLayerByRescans(int layer) {
  for (;;) {
    Object* next = nullptr;
    for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next())
      if (DueInLayer(c.Current(), layer)) {
        next = c.Current();
        break;
      }
    if (!next) break;
    next->bUpdated = true;
    next->Update();
  }
}

// The same order without the rescans. Objects are only ever added at either end, and
// nothing clears an update mark during the pass, so everything before the cursor stays
// done; the one way an object can come due before it is by being put at the front of the
// list (bullets are), and a scan of the new front finds those first, as a rescan would.
template <class Visit>
void UpdateLayerWithCursor(int layer, Visit visit) {
  PtrList<Object>::Cursor resume(objectList);
  PtrList<Object>::Place front = objectList.Front();
  for (;;) {
    Object* next = nullptr;
    if (objectList.Front() != front) {
      for (PtrList<Object>::Cursor c(objectList); !c.AtEnd() && !c.IsAt(front); c.Next())
        if (DueInLayer(c.Current(), layer)) {
          next = c.Current();
          break;
        }
      if (!next) front = objectList.Front();
    }
    if (!next) {
      while (!resume.AtEnd() && !DueInLayer(resume.Current(), layer)) resume.Next();
      next = resume.Current();
    }
    if (!next) break;
    next->bUpdated = true;
    visit(next);
  }
}
}  // namespace

void Game::StepWorld() {
  AgeMessages();
  for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next()) c.Current()->bUpdated = false;
  if (bFullScans) {
    UpdateLayerByRescans(0);
    UpdateLayerByRescans(1);
    return;
  }
  // The probes' grid learns from the pass what may have moved.
  targetGrid.BeginPass();
  UpdateLayerWithCursor(0, [](Object* object) {
    targetGrid.Updating(object);
    object->Update();
  });
  targetGrid.EndPass();
  // The walls' layer: tiles and stairs meet only the collidables they can reach.
  wallPass.Begin();
  UpdateLayerWithCursor(1, [this](Object* object) { wallPass.Update(object); });
}

void Game::AgeMessages() {
  if (messageAge == -1) return;
  if (++messageAge > 200) {
    messageAge = -1;
    ClearMessages();
  }
}

void Game::LevelTransition() {
  if (banner.framesLeft > 0) return;
  if (nextLevelName.Length() > 0) {
    if (LoadLevel(nextLevelName)) {
      bLevelComplete = 0;
      return;
    }
    // The editor names a next level for every numbered level it saves, whether or not that
    // level exists; without this the last level would complete again and again.
    LogMessage(std::string("Error: next level ") + nextLevelName.CStr() +
               " could not be loaded; the game ends here");
    nextLevelName = "";
  }
  int frame = 0;
  while (PollInput()) {
    FillSurface(backBuffer, 10, nullptr);
    ++frame;
    if (frame >= 26) DrawText(390 - MeasureText("The End") / 2, 250, "The End", 251);
    if (frame >= 101)
      DrawText(390 - MeasureText("Congratulations!") / 2, 300, "Congratulations!", 251);
    if (frame >= 201)
      DrawText(385 - MeasureText("Congratulations!") / 2, 320, "Press Esc to quit", 250);
    FlipScreen();
  }
}

bool Game::UnsavedWork() { return bEditing ? editor.Changed() : !testLevel.empty(); }

void Game::KeepUnsavedWork() {
  if (!UnsavedWork()) return;
  std::string text = bEditing ? editor.LevelText(editor.LevelFile()) : testLevel;
  std::string name = editor.LevelFile().CStr();
  // Beside the level: "4.fly" is kept as "4recovered.fly", a name the prompt can type.
  std::string::size_type slash = name.rfind('/');
  std::string::size_type dot = name.find('.', slash == std::string::npos ? 0 : slash + 1);
  std::string recovery = name.substr(0, dot) + "recovered.fly";
  std::string why;
  if (platform::SaveFileSafely(recovery, text, why))
    LogMessage("Unsaved level kept in " + recovery);
  else
    LogMessage("Error: unsaved level could not be kept in " + recovery + ": " + why);
}

bool Game::HandleGlobalKeys() {
  if (bTerminateRequested) {
    KeepUnsavedWork();
    return false;
  }
  if (bCloseRequested) {
    if (!UnsavedWork()) return false;
    bCloseRequested = false;
    // A second close while asked ends the game.
    if (AskYesNo(kQuitAnyway, true) || bCloseRequested) return false;
  }
  if ((platform::GetAsyncKeyState(VK_SHIFT) & 0x8000) &&
      (platform::GetAsyncKeyState(VK_CONTROL) & 0x8000))
    LoadGraphics();
  if (keyCounters[VK_F11] == 1) {
    if (bEditing && !zizuzu) {
      AskYesNo("No zizuzu.", false);
      return true;
    }
    ToggleEditor();
  }
  if (keyCounters[VK_ESCAPE] == 1) {
    if (!bEditing) return UnsavedWork() && !AskYesNo(kQuitAnyway, true);
    return !AskYesNo("Are you sure you want to quit?", true);
  }
  return true;
}

void Game::ToggleEditor() {
  bEditing = !bEditing;
  if (zizuzu)
    input.SetPosition(static_cast<int>(zizuzu->Get("x")), static_cast<int>(zizuzu->Get("y")));
  if (bEditing) {
    // Play from the editor comes back to the level as edited, not as played.
    if (!testLevel.empty()) {
      std::istringstream in(testLevel);
      ReadLevel(in, "the edited level");
      ResetMouseToZizuzu();
    }
    // The editor places on the tiles the level is made of, not on the walls merged for play.
    SplitTiles();
    FindAllEdges();
    ClearRegionGrid();
    editor.Enter();
    if (testLevel.empty()) editor.MarkUnchanged();
    cameraMode = 2;
  } else {
    testLevel = editor.Changed() ? editor.LevelText(editor.LevelFile()) : std::string();
    editor.Leave();
    cameraMode = 0;
    ClearMessages();
    // Edges are found on the tiles as laid; merging then keeps them on the merged walls.
    FindAllEdges();
    PrepareLevel();
  }
}

void Game::RestartLevel() {
  if (testLevel.empty()) {
    LoadLevel(levelName);
  } else {
    std::istringstream in(testLevel);
    ReadLevel(in, "the edited level");
  }
  if (!zizuzu) {
    LogMessage("No Zizuzu.");
    return;
  }
  input.SetPosition(static_cast<int>(zizuzu->Get("x")), static_cast<int>(zizuzu->Get("y")));
}

bool Game::LoadLevel(const String& name) {
  std::ifstream file(name.CStr());
  if (!file) return false;
  return ReadLevel(file, name);
}

bool Game::ReadLevel(std::istream& in, const String& name) {
  nextLevelName = "";
  computer.Reset();
  ClearRegionGrid();
  DestroyAllObjects();
  zizuzu = nullptr;
  flashIndex = -1;
  bLevelComplete = 0;
  int width = 0, height = 0;
  if (!(in >> width >> height) || width <= 0 || height <= 0) {
    LogMessage(Format("Error: level %s has no proper size: %d %d", name.CStr(), width, height));
    width = 800;
    height = 600;
  }
  if (width > kMaxLevelSize || height > kMaxLevelSize) {
    LogMessage(Format("Error: level %s is larger than %d by %d and is cut to it", name.CStr(),
                      kMaxLevelSize, kMaxLevelSize));
    width = std::min(width, kMaxLevelSize);
    height = std::min(height, kMaxLevelSize);
  }
  levelWidth = width;
  levelHeight = height;
  ApplyLevelSize();
  ReadLevelObjects(in, name.CStr());
  if (!in.eof()) {
    in.clear();
    String next;
    if (in >> next) {
      nextLevelName = next;
      EnsureSuffix(nextLevelName, ".fly");
    }
  }
  FindAllEdges();
  if (!bEditing) PrepareLevel();
  return true;
}

void Game::ApplyLevelSize() {
  input.maxX = levelWidth;
  input.maxY = levelHeight;
  camera.levelWidth = levelWidth;
  camera.levelHeight = levelHeight;
}

void Game::ResetMouseToZizuzu() {
  if (zizuzu)
    input.SetPosition(static_cast<int>(zizuzu->Get("x")), static_cast<int>(zizuzu->Get("y")));
}

void Game::SetStatus(const char* text) {
  std::snprintf(statusLine, kMessageLength, "%s", text ? text : "");
  messageAge = 0;
}

Controllable* Game::ControllableOf(Object* object) { return dynamic_cast<Controllable*>(object); }

void Game::BuildComputerMenus() {
  deviceMenus.Resize(0);
  deviceMenus.Resize(kMenuKinds);
  deviceMenus.At(kTurretMenu).AddItem("Activate/Deactivate", 2);
  deviceMenus.At(kTurretMenu).AddItem("Manual Control", 3);
  deviceMenus.At(kTankMenu).AddItem("Activate/Deactivate", 3);
  deviceMenus.At(kTankMenu).AddItem("Manual Control", 4);
  deviceMenus.At(kDoorMenu).AddItem("Open/Close", 0);
  terminalMenu = TerminalMenu();
  terminalMenu.AddItem("Deactivate all turrets", 2, kTurretMenu);
  terminalMenu.AddItem("Deactivate all tanks", 3, kTankMenu);
  terminalMenu.AddItem("Open all doors", 0, kDoorMenu);
}

void Game::DrawZizuzuOverlay() {
  Zizuzu* z = dynamic_cast<Zizuzu*>(zizuzu);
  if (!z || !z->bOverride) return;
  if (!z->bOverrideEngaged) {
    for (PtrList<Object>::Cursor c(controllableList); !c.AtEnd(); c.Next()) {
      Controllable* d = ControllableOf(c.Current());
      if (!d || !Live(c.Current()) || !d->IsOperational()) continue;
      Rect r = d->GetRect();
      Rect frame(r.left - 4, r.right + 3, r.top - 4, r.bottom + 3);
      frame.color = d == computer.device ? 250 : 10;
      frame.DrawFrame(2);
    }
    terminalMenu.Draw();
    if (Menu* open = computer.OpenDeviceMenu()) open->Draw();
    int mx = input.x - camera.view.left, my = input.y - camera.view.top;
    DrawLine(0, my, 799, my, 250);
    DrawLine(mx, 0, mx, 599, 250);
  } else {
    std::snprintf(statusLine, kMessageLength, "%s",
                  "Security Override Activated (Right-Click to Cancel)");
  }
  FillRectOnSurface(0, 580, 800, 600, 251, backBuffer);
  DrawText(10, 580, statusLine, 10);
}

void Game::Draw() {
  FillSurface(backBuffer, backgroundColour, nullptr);
  DrawAllObjects();
  if (zizuzu) DrawZizuzuOverlay();
  if (!bEditing) input.DrawCursor();
  for (int i = 0; i < kMessageLines; ++i) DrawText(10, 30 + 15 * i, messages[i], 255);
  banner.Draw();
}

void Game::ShowBanner(const char* text) {
  banner.SetText(text);
  banner.x = 400 - MeasureText(banner.text) / 2;
  banner.y = 290;
  banner.colour = 0;
  banner.framesLeft = 30;
}

void Game::DrawSectionTimes() {
  int elapsed = static_cast<int>(platform::GetTickCount() - frameStart);
  if (elapsed < 1) elapsed = 1;
  for (int i = 0; i < sectionMarks.Count() && sectionMarks.At(i) != -1; ++i) {
    int previous = i == 0 ? static_cast<int>(frameStart) : sectionMarks.At(i - 1);
    SetMessage(i + 1, Format("%%%i", (sectionMarks.At(i) - previous) * 100 / elapsed).c_str());
  }
}

void Game::Cleanup() {
  for (PtrList<Object>::Cursor c(prototypeList); !c.AtEnd(); c.Next()) c.Current()->Destroy();
  prototypeList.Clear();
  computer.Reset();
  ClearRegionGrid();
  DestroyAllObjects();
  zizuzu = nullptr;
  manualObject = nullptr;
  ReleaseGraphics();
}

}  // namespace lockdown
