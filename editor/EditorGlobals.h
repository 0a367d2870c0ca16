// Globals of the level editor built before start-up.
#pragma once

#include "core/ObjectManager.h"

// The editor's object manager: drawn by layer, never processed.
extern ObjMan2d editObjMan;

class QorEditor;
// The editor state the game switches to with 't'.
extern QorEditor editor;
