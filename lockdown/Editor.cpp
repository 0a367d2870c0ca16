#include "lockdown/Editor.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "lockdown/Camera.h"
#include "lockdown/Game.h"
#include "lockdown/Input.h"
#include "lockdown/Keys.h"
#include "lockdown/Log.h"
#include "lockdown/Messages.h"
#include "lockdown/Object.h"
#include "lockdown/Screen.h"
#include "lockdown/Tile.h"
#include "lockdown/World.h"
#include "lockdown/platform/SafeSave.h"
#include "lockdown/platform/VirtualKeys.h"

namespace lockdown {

namespace {
// Below the file-name prompt.
constexpr int kSaveFailureLine = 11;

bool IsTileType(const Object* o) { return o->objectType == kTile || o->objectType == kStairs; }

void DrawMarker(int x, int y) {
  Rect marker(x - 3, x + 4, y - 3, y + 4);
  marker.color = 249;
  camera.FillRect(marker);
}
}  // namespace

void Editor::Forget(const Object* object) {
  if (!object) return;
  if (ghost == object) ghost = nullptr;
  if (lastTile == object) lastTile = nullptr;
  selection.Remove(object);
}

void Editor::NewGhost(int type) { ghost = NewObjectOfType(type); }

void Editor::RemoveGhost() {
  Object* old = ghost;
  ghost = nullptr;
  DestroyObject(old);
}

void Editor::Enter() { NewGhost(kTile); }

void Editor::Leave() {
  RemoveGhost();
  lastTile = nullptr;
  selection.Clear();
  for (int i = 0; i <= 9; ++i) game.SetMessage(i, "");
}

void Editor::Update() {
  // The click of this frame: placing an exit zone or a run of stairs reads the mouse on
  // frames of its own, and the right click that cancels it must not delete here as well.
  bool bRightClicked = input.RightClicked();
  if (command == kPlace)
    PlaceMode();
  else
    AdjustMode();
  if (bRightClicked && !DeleteUnderMouse()) command = command == kPlace ? kAdjust : kPlace;
  if (keyCounters[VK_CONTROL] == 1) SwitchGhostType();
  if (keyCounters[VK_SHIFT]) ResizeLevel();
  if (keyCounters[int{'S'}]) SaveLevel(PromptFileName(".fly"));
  if (keyCounters[int{'L'}]) LoadLevel();
  // Held, C clears again each frame; the question comes only with the press.
  if (keyCounters[int{'C'}] == 1 ? MayDropChanges("The level has unsaved changes. Clear it?")
                                 : keyCounters[int{'C'}] && !Changed())
    ClearLevel();
  if (keyCounters[int{'P'}]) command = kPlace;
  if (keyCounters[int{'A'}]) command = kAdjust;
  DrawCommandBar();
}

void Editor::LoadLevel() {
  String name = PromptFileName(".fly");
  if (!std::ifstream(name.CStr())) {
    AskYesNo("File not found.", false);
    if (!ghost) Enter();
    return;
  }
  if (!MayDropChanges("The level has unsaved changes. Load anyway?")) return;
  // The old ghost must not stay behind as a level object when the load fails.
  RemoveGhost();
  lastTile = nullptr;
  selection.Clear();
  if (game.LoadLevel(name)) {
    loadedName = name;
    game.testLevel.clear();
  } else {
    AskYesNo("File not found.", false);
  }
  Enter();
  MarkUnchanged();
}

std::string Editor::LevelText(const String& savedName) const {
  std::ostringstream out;
  out << game.levelWidth << " " << game.levelHeight;
  WriteLevelObjects(out, ghost);
  out << "\n" << std::flush << -1 << "\n" << std::flush;
  WriteNextLevelName(out, savedName);
  return out.str();
}

void Editor::MarkUnchanged() { unchangedText = LevelText(String()); }

bool Editor::Changed() const { return LevelText(String()) != unchangedText; }

bool Editor::MayDropChanges(const char* question) const {
  return !Changed() || AskYesNo(question, true);
}

String Editor::LevelFile() const { return loadedName.Length() > 0 ? loadedName : game.levelName; }

void Editor::DrawCommandBar() {
  game.SetMessage(0,
                  "(L)oad | (S)ave | (C)lear level | (Shift + Arrow) to adjust level dims | (Ctrl) "
                  "to switch object type");
  game.SetMessage(
      1, "(P)lace object | (A)djust objects | (Right Click) to delete object | (Esc) to quit");
  game.SetMessage(2, Format("Dimensions: %i, %i", game.levelWidth, game.levelHeight).c_str());
  game.SetMessage(3, Format("Command: %s", command == kAdjust ? "ADJUST" : "PLACE").c_str());
}

void Editor::PlaceMode() {
  if (!ghost) Enter();
  if (!ghost) return;
  ghost->SetToMouse();
  if (input.LeftClicked()) {
    Object* under = FindObjectAt(ghost);
    if (!under)
      PlaceGhost();
    else if (IsTileType(under))
      DropOnTile(under);
  }
  if (ghost && ArrowRepeat() && ghost->objectType == kTile && lastTile && !keyCounters[VK_SHIFT]) {
    if (ghost->PlaceOnTile(lastTile)) {
      lastTile = ghost;
      NewGhost(kTile);
    }
  }
  game.SetMessage(4, "Click to place object.");
  bool bTileHint = ghost && ghost->objectType == kTile && lastTile;
  game.SetMessage(5, bTileHint ? "Use arrow keys to place adjacent tiles." : "");
}

void Editor::PlaceGhost() {
  if (!ghost->Place()) return;
  int type = ghost->objectType;
  if (type == kTile) lastTile = ghost;
  NewGhost(type);
}

void Editor::DropOnTile(Object* tile) {
  if (!ghost->PlaceOnTile(tile)) return;
  int type = ghost->objectType;
  if (type == kStairs) PlaceStairs();
  if (type == kTile) lastTile = ghost;
  NewGhost(type);
}

void Editor::PlaceStairs() {
  game.SetMessage(5, "Click to select end of stairs.");
  Rect start = ghost->Box();
  std::vector<Stairs*> pieces;
  auto dropPieces = [&] {
    for (Stairs* s : pieces) delete s;
    pieces.clear();
  };
  bool bClicked = false;
  while (PollInput()) {
    if (input.LeftClicked()) {
      bClicked = true;
      break;
    }
    dropPieces();
    int x = start.left, y = start.top;
    // The mouse is held inside the level, so the run is bounded by the level's height.
    while (std::abs(input.y - y) >= 20) {
      x += input.x > x ? 20 : input.x < x ? -20 : 0;
      y += input.y > y ? 20 : -20;
      Stairs* piece = new Stairs(x, y);
      piece->bPlaced = true;
      pieces.push_back(piece);
    }
    for (Stairs* s : pieces) s->Draw();
    FlipScreen();
  }
  if (bClicked) {
    for (Stairs* s : pieces) {
      s->sprite = static_cast<Tile*>(ghost)->sprite;
      s->Init();
      s->bInitialized = true;
      objectList.Append(s);
    }
    pieces.clear();
  }
  dropPieces();
  game.SetMessage(5, "");
}

void Editor::AdjustMode() {
  if (input.LeftClicked()) SelectUnderMouse();
  Object* only = selection.Count() == 1 ? selection.First() : nullptr;
  if (only && (only->objectType == kGuardZero || only->objectType == kGuardOne)) {
    game.SetMessage(6, "Press space to change guard's direction.");
    game.SetMessage(7, Format("Object type: %i", static_cast<int>(only->Get("guardType"))).c_str());
    if (keyCounters[VK_SPACE] == 1) only->Set("bRight", only->Get("bRight") == 0 ? 1 : 0);
    if (keyCounters[VK_TAB] == 1) only->Set("SwitchTypes", 0);
  } else {
    for (int i = 6; i <= 8; ++i) game.SetMessage(i, "");
  }
  MoveSelection();
  game.SetMessage(4, "Left click select objects.");
  game.SetMessage(5, "Use arrow keys to move.");
}

void Editor::SelectUnderMouse() {
  Object* under = FindObjectAt(ghost);
  if (!under) {
    selection.Clear();
    return;
  }
  if (keyCounters[VK_MENU] || (ghost && ghost->objectType == kStairs)) return;
  if (!selection.Remove(under)) selection.Append(under);
}

void Editor::MoveSelection() {
  int dx = 0, dy = 0;
  auto step = [](int counter) { return counter == 1 ? 1 : counter % 4 == 1 ? 5 : 0; };
  dx += step(keyCounters[VK_RIGHT]) - step(keyCounters[VK_LEFT]);
  dy += step(keyCounters[VK_DOWN]) - step(keyCounters[VK_UP]);
  if (!dx && !dy) return;
  for (PtrList<Object>::Cursor c(selection); !c.AtEnd(); c.Next()) c.Current()->Move(dx, dy);
}

bool Editor::DeleteUnderMouse() {
  Object* under = FindObjectAt(ghost);
  if (!under) return false;
  selection.Remove(under);
  if (lastTile == under) lastTile = nullptr;
  if (!objectList.Contains(under)) return false;
  DestroyObject(under);
  return true;
}

void Editor::SwitchGhostType() {
  int type = ghost ? ghost->objectType + 1 : kTile;
  if (type == kBullet) ++type;
  if (type > kBullet) type = 0;
  RemoveGhost();
  NewGhost(type);
}

void Editor::ResizeLevel() {
  auto active = [](int vk) { return keyCounters[vk] != 0 && keyCounters[vk] % 4 != 0; };
  if (active(VK_LEFT) && game.levelWidth > 800) game.levelWidth -= 40;
  if (active(VK_UP) && game.levelHeight > 600) game.levelHeight -= 40;
  if (active(VK_RIGHT) && game.levelWidth + 40 <= kMaxLevelSize) game.levelWidth += 40;
  if (active(VK_DOWN) && game.levelHeight + 40 <= kMaxLevelSize) game.levelHeight += 40;
  game.ApplyLevelSize();
}

void Editor::ClearLevel() {
  ghost = nullptr;
  lastTile = nullptr;
  selection.Clear();
  DestroyAllObjects();
  ClearRegionGrid();
  game.levelWidth = 1000;
  game.levelHeight = 1000;
  game.ApplyLevelSize();
  camera.view.CenterAt(400, 300);
  Enter();
  game.testLevel.clear();
  MarkUnchanged();
}

void Editor::Draw() {
  if (command == kPlace && ghost) ghost->Draw();
  DrawMarker(input.x, input.y);
  for (PtrList<Object>::Cursor c(selection); !c.AtEnd(); c.Next()) {
    Rect box = c.Current()->Box();
    DrawMarker(box.CenterX(), box.CenterY());
  }
}

void WriteLevelObjects(std::ostream& out, const Object* skip) {
  for (int pass = 0; pass < 2; ++pass)
    for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next()) {
      Object* o = c.Current();
      if (!Live(o) || o == skip || o->objectType == kBullet ||
          (o->objectType == kDoor) != (pass == 1))
        continue;
      out << "\n" << o->objectType << " ";
      o->Save(out);
    }
}

void WriteNextLevelName(std::ostream& out, const String& savedName) {
  out << "\n" << std::flush;
  if (game.nextLevelName.Length() > 0) {
    out << game.nextLevelName;
    return;
  }
  // The number before the first '.', plus one: 3.fly is followed by 4.fly. A name that
  // is not a number has no follower, and the level then ends the game.
  long long number = 0;
  int digits = 0;
  for (const char* c = savedName.CStr(); *c && *c != '.'; ++c) {
    if (*c < '0' || *c > '9' || ++digits > 9) return;
    number = number * 10 + (*c - '0');
  }
  if (digits == 0) return;
  out << number + 1 << ".fly";
}

bool Editor::SaveLevel(const String& name) {
  // Nothing typed: the prompt gave the suffix alone, which would be a hidden file.
  if (name.Length() == 0 || std::strcmp(name.CStr(), ".fly") == 0) return false;
  if (!game.zizuzu) {
    AskYesNo("You need to place the zizuzu.", false);
    return false;
  }
  RemoveGhost();
  bool bSaved = false;
  bool bExists = static_cast<bool>(std::ifstream(name.CStr()));
  if (!bExists || AskYesNo("File with this name already exists. Overwrite?", true)) {
    // The old file is never lost: see SaveFileSafely.
    std::string why;
    bSaved = platform::SaveFileSafely(name.CStr(), LevelText(name), why);
    if (bSaved) {
      loadedName = name;
      game.testLevel.clear();
      MarkUnchanged();
      game.SetMessage(kSaveFailureLine, "");
      AskYesNo("Saved.", false);
    } else {
      LogMessage(std::string("Error: level ") + name.CStr() + " could not be saved: " + why);
      // The log may be out of reach too (a read-only folder holds it): the reason shows.
      game.SetMessage(kSaveFailureLine, ("Not saved: " + why).c_str());
      AskYesNo("Could not save the level.", false);
    }
  }
  Enter();
  return bSaved;
}

}  // namespace lockdown
