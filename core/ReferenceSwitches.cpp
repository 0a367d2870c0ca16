#include "core/ReferenceSwitches.h"

bool bCollideWithRects = false;
bool bMoveShootersInPlace = false;
bool bProcessRestingObjects = false;
bool bCullOffScreen = true;
