// The one game of qor: started once, then processed (unless paused) and drawn every frame.
#pragma once

class Game {
 public:
  Game();
  virtual ~Game() {}

  void init();
  void process();
  void draw();
  void shutdown();
};

// The game, from its construction on.
extern Game* game;

// The camera in play is 800 x zoom by 600 x zoom world units.
extern float zoom;
