#include "lockdown/SheetLayout.h"

#include <cstring>

#include "lockdown/Log.h"
#include "lockdown/Sprite.h"

namespace lockdown {
namespace {
constexpr SheetCell kCells[] = {
#include "SheetLayout.inc"
};

const std::vector<SheetScheme>& Schemes() {
  static const std::vector<SheetScheme> schemes = {
#include "SpriteSchemes.inc"
  };
  return schemes;
}
}  // namespace

int SheetCellCount() { return static_cast<int>(sizeof kCells / sizeof kCells[0]); }

const SheetCell& SheetCellAt(int i) { return kCells[i]; }

const SheetCell* FindSheetCell(const char* name) {
  for (const SheetCell& cell : kCells)
    if (!std::strcmp(cell.name, name)) return &cell;
  return nullptr;
}

bool CutSprite(Sprite& sprite, const char* name) {
  const SheetCell* cell = FindSheetCell(name);
  if (!cell) {
    LogMessage(Format("Error: no sprite named %s on the sheet", name));
    return false;
  }
  return sprite.Init(cell->width, cell->height, cell->sheetX, cell->sheetY, cell->frames,
                     cell->perRow, cell->rows, cell->bReflections, nullptr);
}

void AddSheetSchemes(Sprite& sprite, const char* name) {
  for (const SheetScheme& scheme : Schemes())
    if (!std::strcmp(scheme.name, name)) sprite.NewColorScheme(scheme.from, scheme.to);
}

}  // namespace lockdown
