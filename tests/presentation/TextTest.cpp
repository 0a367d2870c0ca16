#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Ticks.h"
#include "game/Console.h"
#include "presentation/Text.h"
#include "presentation/View.h"
#include "support/LogCapture.h"
#include "support/QorScreen.h"
#include "support/ScriptedInput.h"

TEST(FontTest, NextPowerOfTwo) {
  struct Case {
    int in, out;
  };
  for (Case c :
       std::vector<Case>{{-3, 1}, {0, 1}, {1, 1}, {2, 2}, {3, 4}, {13, 16}, {16, 16}, {17, 32}})
    EXPECT_EQ(next_p2(c.in), c.out) << c.in;
}

TEST(TextTest, UppercaseTurnsOnlyLowerCaseLetters) {
  std::string s = "abc XYZ 09 !?-_{} z";
  uppercase(s);
  EXPECT_EQ(s, "ABC XYZ 09 !?-_{} Z");
}

namespace {
class TextScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    openTestScreen();
    loadFont("FreeMono", 14);
    glClear(GL_COLOR_BUFFER_BIT);
  }
};

// The lit box of what was drawn, over the whole screen.
struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool found = false;
};
Box litBox(int x0 = 0, int y0 = 0, int x1 = 800, int y1 = 600) {
  Box b;
  b.found = litBounds(x0, y0, x1, y1, b.left, b.top, b.right, b.bottom);
  return b;
}
}  // namespace

TEST_F(TextScreenTest, FontsAreNumberedInTheOrderOfLoadingAndTheExtensionIsAddedOnce) {
  ASSERT_EQ(fonts.size(), 1u);
  loadFont("FreeMono.ttf", 20);
  ASSERT_EQ(fonts.size(), 2u);
  EXPECT_EQ(getTextHeight(0), 14);
  EXPECT_EQ(getTextHeight(1), 20);
  EXPECT_GT(getTextWidth("M", 1), getTextWidth("M", 0));
}

TEST_F(TextScreenTest, GlyphUploadsRestoreTheUnpackAlignment) {
  GLint alignment = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 4);
}

TEST_F(TextScreenTest, GlyphTexturesHoldFreeTypesCoverageRowByRow) {
  // At size 11 '|' is one pixel wide: its rows of one two-byte pixel are not 4-byte aligned.
  loadFont("FreeMono", 11);
  FT_Library library;
  ASSERT_EQ(FT_Init_FreeType(&library), 0);
  FT_Face face;
  ASSERT_EQ(FT_New_Face(library, "FreeMono.ttf", 0, &face), 0);
  for (int font = 0; font < 2; font++) {
    unsigned size = static_cast<unsigned>(fonts[font].h);
    FT_Set_Char_Size(face, size << 6, size << 6, 96, 96);
    for (char ch : std::string("AiW.|g@")) {
      ASSERT_EQ(FT_Load_Char(face, static_cast<unsigned char>(ch), FT_LOAD_RENDER), 0);
      FT_Bitmap& bitmap = face->glyph->bitmap;
      int width = static_cast<int>(bitmap.width), rows = static_cast<int>(bitmap.rows);
      int width2 = next_p2(width), height2 = next_p2(rows);
      glBindTexture(GL_TEXTURE_2D, fonts[font].textures[static_cast<int>(ch)]);
      GLint texWidth = 0, texHeight = 0;
      glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &texWidth);
      glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &texHeight);
      ASSERT_EQ(texWidth, width2) << ch;
      ASSERT_EQ(texHeight, height2) << ch;
      std::vector<unsigned char> alpha(width2 * height2);
      glPixelStorei(GL_PACK_ALIGNMENT, 1);
      glGetTexImage(GL_TEXTURE_2D, 0, GL_ALPHA, GL_UNSIGNED_BYTE, alpha.data());
      int mismatches = 0;
      for (int j = 0; j < height2; j++)
        for (int i = 0; i < width2; i++) {
          int expected = (i < width && j < rows) ? bitmap.buffer[j * bitmap.pitch + i] : 0;
          if (alpha[j * width2 + i] != expected) mismatches++;
        }
      EXPECT_EQ(mismatches, 0) << "size " << size << " '" << ch << "'";
    }
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
}

TEST_F(TextScreenTest, TextCountsYUpwardFromTheBottomAndGlyphsHangFromThePen) {
  drawText("H", 10, 30, 16);
  Box h = litBox();
  ASSERT_TRUE(h.found);
  // Pen at screen row 600 - 30; a capital without descender hangs from it.
  EXPECT_NEAR(h.top, 570, 1);
  EXPECT_GT(h.bottom, 575);
  EXPECT_LT(h.bottom, 585);
  EXPECT_GE(h.left, 10);
  EXPECT_LT(h.left, 14);

  glClear(GL_COLOR_BUFFER_BIT);
  drawText("H", 10, 10, 16);
  Box low = litBox();
  ASSERT_TRUE(low.found);
  EXPECT_NEAR(low.top, 590, 1);
  EXPECT_EQ(low.left, h.left);
}

TEST_F(TextScreenTest, LettersOfALineShareOneBaseline) {
  // Lower-case letters with and without descenders: the same x-height top, and only the
  // descender reaches below the others.
  Box a, g, x, p;
  char const* letters[] = {"a", "g", "x", "p"};
  Box* boxes[] = {&a, &g, &x, &p};
  for (int i = 0; i < 4; i++) {
    glClear(GL_COLOR_BUFFER_BIT);
    drawText(letters[i], 100, 300, 16);
    *boxes[i] = litBox();
    ASSERT_TRUE(boxes[i]->found) << letters[i];
  }
  EXPECT_NEAR(g.top, a.top, 1);
  EXPECT_NEAR(p.top, x.top, 1);
  EXPECT_NEAR(a.bottom, x.bottom, 1);
  EXPECT_GT(g.bottom, a.bottom + 2);
  EXPECT_GT(p.bottom, x.bottom + 2);
}

TEST_F(TextScreenTest, EachLineOfATextLiesOneLineHeightAboveThePreviousOne) {
  drawText("H\nH", 100, 300, 16);
  Box first = litBox(0, 290, 800, 320);
  Box second = litBox(0, 260, 800, 290);
  ASSERT_TRUE(first.found);
  ASSERT_TRUE(second.found);
  EXPECT_NEAR(first.top, 300, 1);
  // 14 / 0.63 = 22.2 pixels.
  EXPECT_NEAR(first.top - second.top, 22, 1);
  EXPECT_EQ(first.left, second.left);

  // A trailing newline makes an empty second line: nothing more is drawn.
  glClear(GL_COLOR_BUFFER_BIT);
  drawText("H\n", 100, 300, 16);
  EXPECT_FALSE(litBox(0, 200, 800, 290).found);
  EXPECT_TRUE(litBox(0, 290, 800, 320).found);
}

TEST_F(TextScreenTest, BytesAbove127AreNotDrawn) {
  drawText("H", 200, 300, 16);
  Box plain = litBox();
  int plainLit = countLit(0, 0, 800, 600);
  glClear(GL_COLOR_BUFFER_BIT);
  drawText("\xC3\xA9H\xFF", 200, 300, 16);
  Box withHighBytes = litBox();
  ASSERT_TRUE(withHighBytes.found);
  EXPECT_EQ(withHighBytes.left, plain.left);
  EXPECT_EQ(withHighBytes.right, plain.right);
  EXPECT_EQ(countLit(0, 0, 800, 600), plainLit);
  EXPECT_EQ(getTextWidth("\xC3\xA9H\xFF", 0), getTextWidth("H", 0));
}

TEST_F(TextScreenTest, MeasuredWidthIsThePenAdvanceOfTheWidestLineAndDrawsNothing) {
  int m = getTextWidth('M', 0);
  EXPECT_GT(m, 5);
  EXPECT_EQ(getTextWidth("MMMM", 0), 4 * m);
  EXPECT_EQ(getStringWidth("MM\nMMMM\nM", 0), 4 * m);
  EXPECT_EQ(getTextWidth("", 0), 0);
  EXPECT_EQ(countLit(0, 0, 800, 600), 0);

  drawText("MMMM", 100, 300, 16);
  Box drawn = litBox();
  ASSERT_TRUE(drawn.found);
  EXPECT_LE(drawn.right, 100 + 4 * m);
  EXPECT_GT(drawn.right, 100 + 3 * m);

  // Measuring leaves the projection and the colour mask as they were.
  glClear(GL_COLOR_BUFFER_BIT);
  getTextWidth("MMMM", 0);
  drawText("M", 100, 300, 16);
  EXPECT_TRUE(litBox().found);
}

TEST_F(TextScreenTest, NumbersAreDrawnInDecimal) {
  drawText(42, 100, 300, 0);
  Box number = litBox();
  glClear(GL_COLOR_BUFFER_BIT);
  drawText("42", 100, 300, 16);
  Box text = litBox();
  ASSERT_TRUE(number.found);
  EXPECT_EQ(number.left, text.left);
  EXPECT_EQ(number.right, text.right);
  EXPECT_EQ(number.top, text.top);
}

TEST_F(TextScreenTest, AGlyphThatFailsToLoadOnlyMovesThePen) {
  GLuint list = glGenLists(1);
  makeAdvanceOnlyList(list, 37);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glCallList(list);
  GLfloat matrix[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
  EXPECT_FLOAT_EQ(matrix[12], 37);
  EXPECT_FLOAT_EQ(matrix[13], 0);
  EXPECT_EQ(countLit(0, 0, 800, 600), 0);
  glLoadIdentity();
}

namespace {
struct ProgramEnded {
  int status;
};
}  // namespace

TEST_F(TextScreenTest, AFontFileThatCannotBeOpenedEndsTheProgramWithStatus1) {
  LogCapture log;
  setExitHook([](int status) { throw ProgramEnded{status}; });
  try {
    loadFont("NoSuchFont", 14);
    FAIL() << "the program went on";
  } catch (ProgramEnded const& ended) {
    EXPECT_EQ(ended.status, 1);
  }
  setExitHook(nullptr);
  EXPECT_EQ(log.lines(),
            (std::vector<std::string>{
                "Error: FT_New_Face failed (there is probably a problem with your font file)",
                "font file: NoSuchFont.ttf"}));
}

TEST(TextDeathTest, AFontFileThatCannotBeOpenedEndsTheProcess) {
  EXPECT_EXIT(
      {
        openTestScreen();
        loadFont("NoSuchFont.ttf", 14);
      },
      ::testing::ExitedWithCode(1), "");
}

namespace {
class CameraTextTest : public TextScreenTest {
 protected:
  void TearDown() override { view.setRect(0, 0, 800, 600); }
};
}  // namespace

TEST_F(CameraTextTest, TextInViewIsPlacedRelativeToTheCamerasCornerWithoutZoom) {
  drawText("H", 10, 30, 16);
  Box screen = litBox();
  glClear(GL_COLOR_BUFFER_BIT);
  view.setRect(100, 50, 1700, 1250);
  drawTextInView("H", 110, 80, 0);
  Box inView = litBox();
  ASSERT_TRUE(inView.found);
  EXPECT_EQ(inView.left, screen.left);
  EXPECT_EQ(inView.top, screen.top);
  EXPECT_EQ(inView.right, screen.right);
}

TEST_F(CameraTextTest, CentredTextIsCentredInTheCamerasSize) {
  int width = getTextWidth("HHHH", 0);
  drawTextCentered("HHHH", 0, 0, 0);
  Box centred = litBox();
  ASSERT_TRUE(centred.found);
  // Pen at x 400 - width / 2 and text y 300 - 7, so screen row 307.
  EXPECT_NEAR(centred.left, 400 - width / 2, 2);
  EXPECT_NEAR(centred.top, 307, 1);

  glClear(GL_COLOR_BUFFER_BIT);
  drawTextCentered("HHHH", 50, 100, 0);
  Box moved = litBox();
  EXPECT_EQ(moved.left, centred.left + 50);
  EXPECT_EQ(moved.top, centred.top - 100);

  glClear(GL_COLOR_BUFFER_BIT);
  view.setRect(0, 0, 400, 300);
  drawTextXCentered("HHHH", 100, 0);
  Box xCentred = litBox();
  EXPECT_NEAR(xCentred.left, 200 - width / 2, 2);
  EXPECT_NEAR(xCentred.top, 500, 1);
}

TEST_F(CameraTextTest, TextIsCentredInARectangleByTheFontsHeight) {
  EXPECT_FLOAT_EQ(getYCenteredInRect(0, Rect(0, 100, 50, 141)), 100 + 20.5f - 7);
  loadFont("FreeMono", 15);
  EXPECT_FLOAT_EQ(getYCenteredInRect(1, Rect(0, 0, 10, 20)), 10 - 7);
}

TEST_F(CameraTextTest, WordWrapBreaksLinesToTheCamerasWidth) {
  int m = getTextWidth('m', 0);
  // Ten characters fit.
  view.setRect(0, 0, 10.5f * m, 600);
  struct Case {
    std::vector<std::string> paragraphs;
    std::vector<std::string> lines;
  };
  std::vector<Case> cases = {
      {{"abc def"}, {"abc def"}},
      {{"abcdefghij"}, {"abcdefghij"}},
      {{"abcde fghij klm"}, {"abcde", "fghij klm"}},
      {{"ab cd ef gh ij kl mn"}, {"ab cd ef", "gh ij kl", "mn"}},
      // No space: cut before the character that overflows.
      {{"abcdefghijklmnopqrstuvw"}, {"abcdefghij", "klmnopqrst", "uvw"}},
      {{"a bcdefghijklmnop"}, {"a", "bcdefghijk", "lmnop"}},
      {{"ab", "cd", "ef"}, {"ab", "", "cd", "", "ef"}},
      {{""}, {""}},
      {{}, {}},
  };
  for (Case const& c : cases) {
    std::vector<std::string> lines = wordWrap(c.paragraphs, 0);
    EXPECT_EQ(lines, c.lines) << (c.paragraphs.empty() ? "" : c.paragraphs[0]);
    for (std::string const& line : lines) EXPECT_LE(getTextWidth(line, 0), view.getWidth());
  }
}

namespace {
// Right after each modal frame's swap (its first event poll), the lit bounds of the frame just
// shown.
class TestShownFramesInput : public ScriptedInput {
 public:
  struct Shown {
    bool bLit;
    int top, bottom;
  };
  bool pollEvent(SDL_Event& event) override {
    if (!bPolled) {
      glReadBuffer(GL_BACK);
      int left = 0, top = 0, right = 0, bottom = 0;
      bool bLit = litBounds(0, 0, 800, 600, left, top, right, bottom);
      shown.push_back(Shown{bLit, top, bottom});
      bPolled = true;
    }
    if (ScriptedInput::pollEvent(event)) return true;
    bPolled = false;
    return false;
  }
  bool bPolled = false;
  std::vector<Shown> shown;
};
}  // namespace

TEST_F(CameraTextTest, RollingTextEndsOnAnyKeyOrWhenItHasRisenPastTheMiddle) {
  bLockFps = false;
  bDrawFps = false;
  clearInfo();
  glClear(GL_COLOR_BUFFER_BIT);
  TestShownFramesInput input;
  std::vector<std::string> const paragraphs = {"A short text", "in two paragraphs"};
  ASSERT_EQ(wordWrap(paragraphs, 0).size(), 3u);
  // The start height falls from 600 by 1.15, kept whole: 2 a frame. The text (3 lines 21 apart)
  // ends below the middle once 600 - 2n + 63 < 300: after frame 182.
  scrollText(paragraphs, 1, 0);
  ASSERT_EQ(input.shown.size(), 182u);
  int const capital = getTextHeight(0);
  // Frame 1 shows the first line alone at the top; frame 101 (start height 400) has its first
  // line's pen on row 200 and its third's on row 158.
  TestShownFramesInput::Shown first = input.shown[1];
  ASSERT_TRUE(first.bLit);
  EXPECT_NEAR(first.top, 0, 2);
  EXPECT_LE(first.bottom, capital);
  TestShownFramesInput::Shown middle = input.shown[101];
  ASSERT_TRUE(middle.bLit);
  EXPECT_NEAR(middle.top, 158, 2);
  EXPECT_GE(middle.bottom, 200 + capital / 2);
  EXPECT_LE(middle.bottom, 200 + capital);
  // The last frame shown, 181: start height 240, the third line's pen on row 318.
  TestShownFramesInput::Shown last = input.shown.back();
  ASSERT_TRUE(last.bLit);
  EXPECT_NEAR(last.top, 600 - 240 - 42, 2);

  // A key ends it in the frame after its press, here in another loaded font.
  loadFont("FreeMono", 30);
  input.shown.clear();
  input.press('k');
  scrollText(paragraphs, 1, 1);
  EXPECT_EQ(input.shown.size(), 2u);
}

TEST_F(CameraTextTest, TheTickerShowsTheCharactersInsideItsBoundsAndWrapsAround) {
  int m = getTextWidth('m', 0);
  std::string text = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  Rect bounds(100, 100, 100 + 5 * m, 130);
  float scroll = 0;
  drawHorizScrollingText(text, scroll, 110, bounds, 2, 0);
  EXPECT_FLOAT_EQ(scroll, 2.01f);
  Box shown = litBox();
  ASSERT_TRUE(shown.found);
  EXPECT_GE(shown.left, 100);
  EXPECT_LE(shown.right, 100 + 6 * m);
  EXPECT_NEAR(shown.top, 490, 1);

  // Scrolled two characters on, the first visible one starts left of the bounds.
  glClear(GL_COLOR_BUFFER_BIT);
  scroll = 2.5f * m;
  drawHorizScrollingText(text, scroll, 110, bounds, 2, 0);
  Box later = litBox();
  ASSERT_TRUE(later.found);
  EXPECT_LT(later.left, 100);
  EXPECT_GT(later.left, 100 - m);

  scroll = static_cast<float>(getTextWidth(text, 0)) - 1;
  drawHorizScrollingText(text, scroll, 110, bounds, 2, 0);
  EXPECT_FLOAT_EQ(scroll, -bounds.getWidth());
}
