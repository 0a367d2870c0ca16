// The fence tool: places fence posts and links them; each link becomes a fence between the two
// posts. Clicking empty space chains a new post to the selected one, clicking a post selects
// it or links the selected post to it, a right click on a post opens its path, and Delete
// removes the selected post. It is the editor's first tool and the temporary tool of 'f'.
#pragma once

#include "editor/EditorTool.h"
#include "geometry/Point.h"

class FenceNode;

class FenceTool : public EditorTool {
 public:
  void process() override;
  void draw() override;
  void drawMouse() override;
  void enter() override {}
  void handleLeftClick() override;
  void handleRightClick() override;

  // A new post at the point, owned by the editor's manager.
  FenceNode* placeNode(Point const& center);
};

extern FenceTool fenceTool;
// The selected post, to which new posts and clicked posts are linked; null when none.
extern FenceNode* selectedNode;
