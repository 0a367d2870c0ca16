// The enemy ship tool: a preview ship of the current ship type follows the mouse; 'w' and 's'
// step through the types; a click places the preview ship and opens its path in the path
// tool, or, over an existing enemy ship, opens that ship's path.
#pragma once

#include "editor/EditorTool.h"

class HoloDisplay;

class HoloDisplayTool : public EditorTool {
 public:
  void process() override;
  void drawMouse() override;
  void enter() override;
  void handleLeftClick() override;

  // The index in holoTypes of the preview ship's type; -1 when the type is not there.
  int getTypeIndex();
};

extern HoloDisplayTool holoDisplayTool;
// The preview ship: owned by the tool and in no manager or list until it is placed.
extern HoloDisplay* newDisplay;
