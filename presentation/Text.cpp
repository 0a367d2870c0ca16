#include "presentation/Text.h"

#include "core/Files.h"
#include "core/GameServices.h"
#include "core/StringConversions.h"
#include "game/Console.h"
#include "presentation/Keyboard.h"
#include "presentation/View.h"

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

void drawTextInView(std::string const& text, float x, float y, int font) {
  drawText(text, x - view.getLeft(), y - view.getTop(), 0, font);
}

void drawTextCentered(std::string const& text, float xOff, float yOff, int font) {
  int halfWidth = getTextWidth(text, font) / 2;
  int halfHeight = getTextHeight(font) / 2;
  drawText(text, view.getWidth() / 2 - halfWidth + xOff, view.getHeight() / 2 - halfHeight + yOff,
           0, font);
}

void drawTextXCentered(std::string const& text, float y, int font) {
  int halfWidth = getTextWidth(text, font) / 2;
  drawText(text, view.getWidth() / 2 - halfWidth, y, 0, font);
}

float getYCenteredInRect(int font, Rect const& rect) {
  return rect.getTop() + rect.getHeight() / 2 - getTextHeight(font) / 2;
}

std::vector<std::string> wordWrap(std::vector<std::string> const& paragraphs, int font) {
  std::vector<std::string> lines;
  float maxWidth = view.getWidth();
  for (size_t p = 0; p < paragraphs.size(); p++) {
    std::string line;
    for (char c : paragraphs[p]) {
      if (!line.empty() && getTextWidth(line + c, font) > maxWidth) {
        size_t space = line.rfind(' ');
        if (space != std::string::npos) {
          lines.push_back(line.substr(0, space));
          line = line.substr(space + 1);
        } else {
          // A word wider than the camera is cut where it overflows.
          lines.push_back(line);
          line.clear();
        }
      }
      line += c;
    }
    lines.push_back(line);
    if (p + 1 < paragraphs.size()) lines.push_back("");
  }
  return lines;
}

void scrollText(std::vector<std::string> const& paragraphs, float /*scrollSpeed*/, int font) {
  std::vector<std::string> lines = wordWrap(paragraphs, font);
  float lineGap = 1.5f * getTextHeight(font);
  float startHeight = view.getHeight();
  for (;;) {
    miniLoop(nullptr);
    for (size_t i = 0; i < lines.size(); i++) {
      float y = startHeight + lineGap * static_cast<float>(i);
      if (y < -getTextHeight(font)) continue;
      if (y > view.getHeight()) break;
      drawTextXCentered(lines[i], y, font);
    }
    startHeight = static_cast<float>(static_cast<int>(startHeight - 1.15f));
    float end = startHeight + lineGap * static_cast<float>(lines.size());
    if (end < view.getHeight() / 2 || anyKey()) break;
  }
}

void drawHorizScrollingText(std::string const& s, float& scrollAmount, float y, Rect const& bounds,
                            float scrollSpeed, int font) {
  float x = bounds.getLeft() - scrollAmount;
  float height = static_cast<float>(getTextHeight(font));
  std::string visible;
  float firstX = 0;
  for (char c : s) {
    float width = static_cast<float>(getTextWidth(c, font));
    bool bMeets = x <= bounds.getRight() && x + width >= bounds.getLeft() &&
                  y <= bounds.getBottom() && y + height >= bounds.getTop();
    if (bMeets) {
      if (visible.empty()) firstX = x;
      visible += c;
    }
    x += width;
  }
  if (!visible.empty()) drawTextInView(visible, firstX, y, font);
  scrollAmount += scrollSpeed + 0.01f;
  if (scrollAmount > getTextWidth(s, font)) scrollAmount = -bounds.getWidth();
}
