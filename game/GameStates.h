// The protocol of the game states: the main loop runs one state at a time, and the modal
// loops draw the state they are given while the world stands still.
#pragma once

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
