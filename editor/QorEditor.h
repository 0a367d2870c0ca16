// The editor the program runs: the generic editor bound to this game's fence posts, enemy
// ships and their paths. It opens with the fence tool; 'f' reaches the fence tool from any
// other tool.
#pragma once

#include "editor/Editor.h"

class QorEditor : public Editor {
 public:
  // Registers itself with the game as the state 't' switches to.
  QorEditor();

  void process() override;
  void draw() override;
  void selectObject(Editable* newObject) override;
  void adjustLevelDims() override;
  EditorTool* getInitialTool() override;
};
