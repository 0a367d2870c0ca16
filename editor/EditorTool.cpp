#include "editor/EditorTool.h"

#include "game/Console.h"

void EditorTool::exit() { clearInfo(); }
