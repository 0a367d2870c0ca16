#include "editor/EditorGlobals.h"

#include "editor/Editor.h"
#include "editor/QorEditor.h"
#include "game/Prototypes.h"

// One file, so that the manager stands before the editor that registers itself with the game.
ObjMan2d editObjMan(getPrototypes());
std::vector<EditorTool*> tools;
EditorTool* currTool = nullptr;
EditorTool* selectedTool = nullptr;
Editable* selectedObject = nullptr;
float editorNearDist = 100.0f;
QorEditor editor;
