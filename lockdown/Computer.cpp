#include "lockdown/Computer.h"

#include "lockdown/Camera.h"
#include "lockdown/Game.h"
#include "lockdown/Input.h"
#include "lockdown/Log.h"
#include "lockdown/Messages.h"
#include "lockdown/Object.h"
#include "lockdown/Terminal.h"
#include "lockdown/World.h"

namespace lockdown {

void Menu::AddItem(const char* name, int requiredLevel) {
  MenuItem item;
  item.name = name;
  item.requiredLevel = requiredLevel;
  int top = items.Count() * 20;
  items.Add(item);
  String label = ConcatStrings(item.name, " - ");
  label.AppendNumber(requiredLevel);
  int width = std::max(minWidth, MeasureText(label.CStr()) + 4);
  for (int i = 0; i < items.Count(); ++i) width = std::max(width, items.At(i).rect.Width());
  for (int i = 0; i < items.Count(); ++i) {
    MenuItem& it = items.At(i);
    int t = i == items.Count() - 1 ? top : it.rect.top;
    it.rect.Set(0, t, width, t + 20);
  }
}

void Menu::Open(int x, int y, Terminal* fromTerminal, Controllable* forDevice) {
  if (bOpen) Close();
  for (int i = 0; i < items.Count(); ++i) items.At(i).rect.Offset(x, y);
  openX = x;
  openY = y;
  terminal = fromTerminal;
  device = forDevice;
  bOpen = true;
  hovered = -1;
}

void Menu::Close() {
  if (!bOpen) return;
  bOpen = false;
  for (int i = 0; i < items.Count(); ++i) items.At(i).rect.Offset(-openX, -openY);
  openX = openY = 0;
  hovered = -1;
}

void Menu::MoveTo(int x, int y) {
  if (!bOpen) return;
  for (int i = 0; i < items.Count(); ++i) items.At(i).rect.Offset(x - openX, y - openY);
  openX = x;
  openY = y;
}

void Menu::HandleClick() {
  if (!bOpen) return;
  hovered = -1;
  for (int i = 0; i < items.Count(); ++i)
    if (items.At(i).rect.Contains(input.x, input.y)) hovered = i;
  if (hovered < 0 || !input.LeftClicked()) return;
  MenuItem& item = items.At(hovered);
  int level = terminal ? terminal->securityLevel : 0;
  if (level < item.requiredLevel) {
    game.SetStatus(
        Format("Insufficient security level.  This computer's security level:  %i", level).c_str());
    return;
  }
  String label = ConcatStrings(item.name, " - ");
  label.AppendNumber(item.requiredLevel);
  Run();
  game.SetStatus(label.CStr());
}

void Menu::Draw() {
  if (!bOpen) return;
  for (int i = 0; i < items.Count(); ++i) {
    MenuItem& item = items.At(i);
    item.rect.color = i == hovered ? highlightColor : normalColor;
    Rect r = item.rect;
    camera.FillRect(r);
    String label = ConcatStrings(item.name, " - ");
    label.AppendNumber(item.requiredLevel);
    DrawText(r.left - camera.view.left + 2, r.top - camera.view.top + 2, label.CStr(),
             item.textColor);
  }
}

void DeviceMenu::Run() {
  if (hovered < 0) return;
  game.currentCommand = items.At(hovered).name;
  Controllable* d = device;
  Close();
  if (d) d->RunMenuCommand();
}

void TerminalMenu::AddItem(const char* name, int requiredLevel, int kind) {
  Menu::AddItem(name, requiredLevel);
  items.At(items.Count() - 1).kind = kind;
}

void TerminalMenu::Run() {
  if (hovered < 0) return;
  const MenuItem& item = items.At(hovered);
  for (PtrList<Object>::Cursor c(controllableList); !c.AtEnd(); c.Next()) {
    Controllable* d = game.ControllableOf(c.Current());
    if (!d || d->menuIndex != item.kind) continue;
    game.currentCommand = item.name;
    d->RunMenuCommand();
  }
}

void Computer::Reset() {
  bTerminalChosen = false;
  bManualControl = false;
  terminal = nullptr;
  device = nullptr;
  openMenu = -1;
  game.terminalMenu.Close();
  for (int i = 0; i < game.deviceMenus.Count(); ++i) game.DeviceMenuAt(i).Close();
  game.cursorMode = 0;
  game.manualObject = nullptr;
  if (game.cameraMode == 1) game.cameraMode = 0;
}

Menu* Computer::OpenDeviceMenu() {
  if (openMenu < 0) return nullptr;
  Menu& menu = game.DeviceMenuAt(openMenu);
  return menu.bOpen ? &menu : nullptr;
}

void Computer::StartManualControl(Controllable* d) {
  if (!d) return;
  bManualControl = true;
  device = d;
  d->bManual = true;
  game.manualObject = d->AsObject();
  game.cameraMode = 1;
}

void Computer::EndManualControl() {
  if (device) device->bManual = false;
  bManualControl = false;
  device = nullptr;
  game.manualObject = nullptr;
  game.ResetMouseToZizuzu();
  game.cursorMode = 2;
  game.cameraMode = 2;
}

void Computer::EndOverride() {
  device = nullptr;
  bTerminalChosen = false;
  terminal = nullptr;
  game.cursorMode = 0;
  game.ResetMouseToZizuzu();
  openMenu = -1;
  game.terminalMenu.Close();
  for (int i = 0; i < game.deviceMenus.Count(); ++i) game.DeviceMenuAt(i).Close();
  game.cameraMode = 0;
}

void Computer::Update() {
  if (bManualControl) {
    if (input.RightClicked()) EndManualControl();
    return;
  }
  if (!bTerminalChosen) {
    if (!input.LeftClicked()) return;
    Terminal* chosen = nullptr;
    for (PtrList<Object>::Cursor c(terminalList); !c.AtEnd(); c.Next())
      if (Live(c.Current()) && c.Current()->IsPtIn(input.x, input.y))
        chosen = static_cast<Terminal*>(c.Current());
    if (!chosen) return;
    terminal = chosen;
    game.cursorMode = 2;
    game.cameraMode = 2;
    bTerminalChosen = true;
    game.terminalMenu.Open(camera.view.left + 10, camera.view.top + 10, terminal, nullptr);
    game.SetStatus(Format("This computer's security level:  %i", terminal->securityLevel).c_str());
    return;
  }
  game.terminalMenu.HandleClick();
  Menu* menu = OpenDeviceMenu();
  if (!menu) {
    if (input.LeftClicked()) {
      for (PtrList<Object>::Cursor c(controllableList); !c.AtEnd(); c.Next()) {
        Controllable* d = game.ControllableOf(c.Current());
        if (!d || !Live(c.Current()) || !d->GetRect().Contains(input.x, input.y)) continue;
        device = d;
        openMenu = d->menuIndex;
        Rect r = d->GetRect();
        game.DeviceMenuAt(openMenu).Open(r.right + 10, r.top - 10, terminal, d);
        game.cursorMode = 1;
        break;
      }
    } else if (input.RightClicked()) {
      EndOverride();
    }
  } else {
    menu->HandleClick();
    if (input.LeftClicked()) menu->Close();
    if (!menu->bOpen && !bManualControl) game.cursorMode = 2;
  }
}

}  // namespace lockdown
