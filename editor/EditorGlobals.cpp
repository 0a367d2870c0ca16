#include "editor/EditorGlobals.h"

#include "game/Prototypes.h"

ObjMan2d editObjMan(getPrototypes());
