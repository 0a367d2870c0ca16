// The protocol of the editor's tools: the editor runs the current tool every frame, hands it
// the mouse clicks and has it draw itself and the mouse. A tool holds no data of its own; each
// concrete tool is one global object.
#pragma once

class EditorTool {
 public:
  virtual ~EditorTool() {}

  virtual void process() {}
  virtual void draw() {}
  virtual void drawMouse() {}
  virtual void enter() {}
  // Clears the info lines the tool may have written.
  virtual void exit();
  virtual void handleLeftClick() {}
  virtual void handleRightClick() {}
};
