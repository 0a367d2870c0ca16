// Level hooks of the object model. This program keeps no levels by name here: each hook gives
// a fixed answer, so a Persistant object counts as on the current level while its level is "".
#pragma once

#include <string>

#include "geometry/Rect.h"

class ItemHolder;

std::string getLevelExtension();
std::string getCurrentLevel();
ItemHolder* getHolder();
int getMaxLevel();
bool anyLevelLoaded();
Rect getLevelBounds();
void setLevelBounds();
void clearLevels();
void saveGame();
