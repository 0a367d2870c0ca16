#include "core/LevelHooks.h"

std::string getLevelExtension() { return ".lev"; }
std::string getCurrentLevel() { return ""; }
ItemHolder* getHolder() { return nullptr; }
int getMaxLevel() { return -1; }
bool anyLevelLoaded() { return false; }
Rect getLevelBounds() { return Rect(); }
void setLevelBounds() {}
void clearLevels() {}
void saveGame() {}
