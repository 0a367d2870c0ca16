// Where each sprite lies on the sprite sheet "g.dat". The table is generated at build
// time from data/lockdown/sheet_layout.txt, the same table the sheet is drawn from.
#pragma once

#include <vector>

namespace lockdown {

class Sprite;

struct SheetCell {
  const char* name;
  int width, height;
  int sheetX, sheetY;
  int frames, perRow, rows;
  bool bReflections;
};

int SheetCellCount();
const SheetCell& SheetCellAt(int i);
// Null when the table has no such sprite.
const SheetCell* FindSheetCell(const char* name);
// Cuts the named sprite from the loaded sheet; false (logged) when it cannot.
bool CutSprite(Sprite& sprite, const char* name);

// A colour scheme that the art gives a sprite after it is cut (generated with the sheet).
struct SheetScheme {
  const char* name;
  std::vector<int> from, to;
};

// Adds the named sprite's schemes to it in table order, so that its n-th is scheme n.
void AddSheetSchemes(Sprite& sprite, const char* name);

}  // namespace lockdown
