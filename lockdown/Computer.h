// The security override: devices that computers command (Controllable), the menus of
// commands with their required security levels, and the controller that runs an
// override from a chosen terminal.
#pragma once

#include <vector>

#include "lockdown/CheckedVector.h"
#include "lockdown/Rect.h"
#include "lockdown/String.h"

namespace lockdown {

class Object;
class Terminal;

enum MenuKind { kTurretMenu = 0, kTankMenu = 1, kDoorMenu = 2, kMenuKinds = 3 };

// A door, turret or tank as the computers see it.
class Controllable {
 public:
  virtual ~Controllable() = default;
  virtual bool IsOperational() = 0;
  virtual Rect GetRect() = 0;
  virtual int GetCenterX() = 0;
  virtual int GetCenterY() = 0;
  // Runs the game's current command name, if the device knows it.
  virtual void RunMenuCommand() = 0;
  virtual Object* AsObject() = 0;

  bool bManual = false;
  int menuIndex = 0;
};

struct MenuItem {
  Rect rect;
  int textColor = 255;
  String name = "empty";
  int requiredLevel = 0;
  int kind = 0;  // terminal menu: the kind of device the command is for
};

class Menu {
 public:
  virtual ~Menu() = default;
  void AddItem(const char* name, int requiredLevel);
  void Open(int x, int y, Terminal* fromTerminal, Controllable* forDevice);
  void Close();
  // Moves an open menu so that its first item's top-left lies at (x, y).
  void MoveTo(int x, int y);
  void HandleClick();
  void Draw();
  virtual void Run() {}
  int ItemCount() const { return items.Count(); }
  MenuItem& Item(int i) { return items.At(i); }

  int normalColor = 0;
  int highlightColor = 74;
  CheckedVector<MenuItem> items;
  int minWidth = 50;
  Controllable* device = nullptr;
  Terminal* terminal = nullptr;
  bool bOpen = false;
  int hovered = -1;

 protected:
  int openX = 0, openY = 0;
};

// Runs the hovered command on the device the menu was opened for.
class DeviceMenu : public Menu {
 public:
  void Run() override;
};

// Runs the hovered command on every device of its kind.
class TerminalMenu : public Menu {
 public:
  void AddItem(const char* name, int requiredLevel, int kind);
  void Run() override;
};

class Computer {
 public:
  void Update();
  // A device's "Manual Control" hands it to the player.
  void StartManualControl(Controllable* d);
  void EndManualControl();
  void EndOverride();
  void Reset();
  // The device menu that is open, or null.
  Menu* OpenDeviceMenu();

  bool bTerminalChosen = false;
  bool bManualControl = false;
  Terminal* terminal = nullptr;
  Controllable* device = nullptr;
  int openMenu = -1;
};

}  // namespace lockdown
