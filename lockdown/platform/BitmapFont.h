// The program's own small bitmap font (glyphs 7 rows tall plus 2 rows of descenders)
// that stands in for GDI text.
// Each character advances by the width the game measures for it, so text centred with
// the game's width estimate is centred on screen too.
#pragma once

#include <string_view>

#include "lockdown/platform/Surface.h"

namespace lockdown::platform {

// Pixel advance of one character, the same table the game's text measuring uses.
int CharAdvance(char c);

// Draws the text with its cell's top-left at (x, y), clipped to the surface's clip.
void DrawBitmapText(Surface& surface, int x, int y, std::string_view text, int colour);

}  // namespace lockdown::platform
