// Text of qor: the loaded fonts, measuring, and the drawText family. Text alone counts y
// upward from the bottom edge of the logical screen: the pen of drawText(s, x, y) is at screen
// row 600 - y, and glyphs hang from it.
#pragma once

#include <string>
#include <vector>

#include "presentation/Font.h"

class Rect;

// Every font loaded, by order of loading; font 0 is the one the game draws with. Fonts are
// kept until the process ends, past the destructors of the globals.
extern std::vector<font_data>& fonts;

// Adds ".ttf" unless the name has it; a file that cannot be opened ends the program.
void loadFont(std::string fontName, int size);
int getTextWidth(std::string const& s, int font);
int getTextWidth(char c, int font);
inline int getStringWidth(std::string const& s, int font) { return getTextWidth(s, font); }
int getTextHeight(int iFont);
// The size is the font's; textSize is kept for the callers' sake.
void drawText(std::string const& text, float x, float y, float textSize, int font = 0);
inline void drawText(float x, float y, std::string const& text, int font) {
  drawText(text, x, y, 0, font);
}
void drawText(int num, float x, float y, int font);
// At a world position relative to the camera's top-left corner, without zoom.
void drawTextInView(std::string const& text, float x, float y, int font);
// Centred in the camera's size, moved by the offsets.
void drawTextCentered(std::string const& text, float xOff, float yOff, int font);
void drawTextXCentered(std::string const& text, float y, int font);
float getYCenteredInRect(int font, Rect const& rect);
void uppercase(std::string& s);
// Lines no wider than the camera, broken at the last space (or, in a word wider than the
// camera, before the character that overflows); an empty line between paragraphs.
std::vector<std::string> wordWrap(std::vector<std::string> const& paragraphs, int font);
// Modal rolling text, ended by any key or when the text has risen past the middle.
void scrollText(std::vector<std::string> const& paragraphs, float scrollSpeed, int font);
// One frame of a horizontal ticker: the characters inside the bounds are drawn.
void drawHorizScrollingText(std::string const& s, float& scrollAmount, float y, Rect const& bounds,
                            float scrollSpeed, int font);
