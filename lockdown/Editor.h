// The level editor's place in the frame loop. Its tools (placing, selecting, saving and
// loading levels) arrive with the world objects; until then entering it frees the
// camera to follow the mouse.
#pragma once

namespace lockdown {

class Editor {
 public:
  void Enter() {}
  void Leave() {}
  void Update() {}
  void Draw() {}
};

}  // namespace lockdown
