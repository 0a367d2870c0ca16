#include "presentation/Text.h"

#include "core/Files.h"
#include "core/GameServices.h"
#include "core/StringConversions.h"

std::vector<font_data>& fonts = *new std::vector<font_data>;

void loadFont(std::string fontName, int size) {
  if (getExtension(fontName) != ".ttf") fontName += ".ttf";
  fonts.push_back(font_data());
  fonts.back().init(fontName.c_str(), static_cast<unsigned>(size));
}

int getTextWidth(std::string const& s, int font) {
  float width = 0, height = 0;
  getStrWidthHeight(width, height, fonts.at(font), s.c_str());
  return static_cast<int>(width);
}

int getTextWidth(char c, int font) { return getTextWidth(std::string(1, c), font); }

int getTextHeight(int iFont) { return static_cast<int>(fonts.at(iFont).h); }

void drawText(std::string const& text, float x, float y, float /*textSize*/, int font) {
  glPrint(fonts.at(font), x, getScreenHeight() - y, text.c_str());
}

void drawText(int num, float x, float y, int font) {
  std::string s;
  addNumToString(s, num);
  drawText(s, x, y, 0, font);
}

void uppercase(std::string& s) {
  for (size_t i = 0; i < s.size(); i++)
    if (s[i] >= 'a' && s[i] <= 'z') s[i] = static_cast<char>(s[i] - 'a' + 'A');
}
