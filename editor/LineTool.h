// The line tool: two clicks place a trigger or finish line, which is then stored in the
// level's line lists, and a new line of the current type begins. 'w' and 's' switch the type,
// 'q' and Delete discard the line being placed; the id of the line near the mouse is shown.
#pragma once

#include <string>

#include "editor/EditorTool.h"

class Line;

class LineTool : public EditorTool {
 public:
  void process() override;
  void draw() override;
  void enter() override;
  void exit() override;

  void handleKeys();
};

extern LineTool lineTool;
// The line being placed, owned by the tool until it is stored.
extern Line* currLine;
// Class of new lines: "TriggerLine" or "FinishLine".
extern std::string lineType;
// Half-length of the probe segments that find a line near the mouse.
extern float lineSelectDist;

// A new line of lineType with unset end points.
Line* getNewLine();
// The stored line crossing a horizontal, else a vertical probe through the mouse; else null.
Line* getLineNearMouse();
