// The game states: the main loop runs one state at a time (`gameState`), and the modal loops
// draw the state they are given while the world stands still. LocalState flies the player's
// ship with the camera behind it, CommandState shows the whole level and hands a friendly ship
// to the player on a click, TransState is drawn while the camera moves between the two.
#pragma once

#include "presentation/ProgressBar.h"

class GameState {
 public:
  GameState() : bEntered(false) {}
  virtual ~GameState() {}

  virtual void enterFirst() {}
  virtual void enter() {}
  virtual void exit() {}
  virtual void process() = 0;
  virtual void draw() = 0;

  bool bEntered;
};

class LocalState : public GameState {
 public:
  void enter() override;
  void exit() override;
  void process() override;
  void draw() override;
};

class CommandState : public GameState {
 public:
  void enter() override;
  void exit() override;
  void process() override;
  void draw() override;
};

class TransState : public GameState {
 public:
  void process() override {}
  void draw() override;
};

extern LocalState localState;
extern CommandState commandState;
extern TransState transState;
extern GameState* gameState;
extern ProgressBar progressBar;

// World units kept between the player's ship and the lower edge of the camera.
extern float dist_player_to_bottom;
// The info line that tells of a level without a player's ship, and its text.
constexpr int kNoPlayerLine = 9;
constexpr char const* kNoPlayerText = "This level has no player's ship";
void setDistPlayerToBottom(float value);

// The world in play, back to front.
void drawAll();
// The level's progress bar at the right edge of the screen.
void drawProgress();
