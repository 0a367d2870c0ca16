// The one game of qor: ties the data files, the levels and the game states together. Started
// once, then processed (unless paused) and drawn every frame.
#pragma once

#include "geometry/Point.h"
#include "presentation/View.h"

class GameState;

class Game {
 public:
  Game();
  virtual ~Game() {}

  // Reads every data file of "xml", loads the first level, enters the first state.
  void init();
  // The level keys, the victory and defeat checks and the editor key, then the current state.
  void process();
  void draw();
  void shutdown();
};

// The game, from its construction on.
extern Game* game;

// The camera in play is 800 x zoom by 600 x zoom world units.
extern float zoom;

// Set by the data tag "command_mode": the game starts in command mode, and the play state
// hands over to it.
extern bool bCommandMode;
void setCommandMode(float value);
bool commandModeIsSet();
bool startInCommandMode();

// What the game remembers while the level editor is open.
extern Point savedPlayerPosition;
extern float savedPlayerAngle;
extern GameState* savedGameState;
extern View savedView;

// The level editor's state, to and from which 't' switches. The editor registers its one
// instance here when it is built; until one is registered 't' does nothing.
void setEditorState(GameState* state);
GameState* getEditorState();

// The win screen after the finish line of the last level: modal frames of the current state
// until Space ends the program.
void doWinGame();
