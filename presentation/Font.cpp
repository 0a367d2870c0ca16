#include "presentation/Font.h"

#include <GL/glu.h>
#include <unistd.h>

#include <string>
#include <vector>

#include FT_GLYPH_H

#include "core/Debug.h"
#include "game/Console.h"

namespace {
const int numChars = 128;

// The lines of a text, each cut to the bytes that have a glyph.
std::vector<std::string> drawableLines(char const* text) {
  std::vector<std::string> lines(1);
  for (char const* c = text; *c; c++) {
    unsigned char byte = static_cast<unsigned char>(*c);
    if (byte == '\n')
      lines.push_back("");
    else if (byte < numChars)
      lines.back() += *c;
  }
  return lines;
}

float lineHeight(font_data const& font) { return font.h / 0.63f; }

// The pen advance in whole pixels of the widest glyph, for glyphs that fail to load.
int fallbackAdvance(FT_Face face) {
  if (!face->size) return 0;
  return static_cast<int>(face->size->metrics.max_advance >> 6);
}
}  // namespace

int next_p2(int a) {
  int rval = 1;
  while (rval < a) rval <<= 1;
  return rval;
}

// Height of a capital above the baseline in whole pixels, from the face's 'H'; measured by
// init for the face it is building, before its characters are made.
static int capitalTopOf(FT_Face face) {
  FT_UInt index = FT_Get_Char_Index(face, 'H');
  if (!index || FT_Load_Glyph(face, index, FT_LOAD_DEFAULT)) return 0;
  return static_cast<int>((face->glyph->metrics.horiBearingY + 32) >> 6);
}
static int capitalTop = 0;

void makeAdvanceOnlyList(GLuint list, int advance) {
  glNewList(list, GL_COMPILE);
  glTranslatef(static_cast<float>(advance), 0, 0);
  glEndList();
}

void make_dlist(FT_Face face, char ch, GLuint list_base, GLuint* tex_base) {
  unsigned char code = static_cast<unsigned char>(ch);
  GLuint list = list_base + code;
  if (FT_Load_Glyph(face, FT_Get_Char_Index(face, code), FT_LOAD_DEFAULT)) {
    recordError("Error: FT_Load_Glyph failed");
    makeAdvanceOnlyList(list, fallbackAdvance(face));
    return;
  }
  FT_Glyph glyph;
  if (FT_Get_Glyph(face->glyph, &glyph)) {
    recordError("Error: FT_Get_Glyph failed");
    makeAdvanceOnlyList(list, fallbackAdvance(face));
    return;
  }
  int advance = static_cast<int>(face->glyph->advance.x >> 6);
  if (FT_Glyph_To_Bitmap(&glyph, FT_RENDER_MODE_NORMAL, nullptr, 1)) {
    recordError("Error: FT_Glyph_To_Bitmap failed");
    FT_Done_Glyph(glyph);
    makeAdvanceOnlyList(list, advance);
    return;
  }
  FT_BitmapGlyph bitmapGlyph = reinterpret_cast<FT_BitmapGlyph>(glyph);
  FT_Bitmap& bitmap = bitmapGlyph->bitmap;
  int width = static_cast<int>(bitmap.width);
  int rows = static_cast<int>(bitmap.rows);
  int width2 = next_p2(width);
  int height2 = next_p2(rows);

  // Luminance full everywhere, the coverage as alpha, nothing in the padding. Rows are read
  // by the bitmap's pitch, which may exceed its width.
  std::vector<GLubyte> expanded(2 * width2 * height2, 0);
  for (int j = 0; j < height2; j++) {
    unsigned char const* row = nullptr;
    if (j < rows)
      row = bitmap.pitch >= 0 ? bitmap.buffer + j * bitmap.pitch
                              : bitmap.buffer + (rows - 1 - j) * -bitmap.pitch;
    for (int i = 0; i < width2; i++) {
      expanded[2 * (i + j * width2)] = 255;
      expanded[2 * (i + j * width2) + 1] = (row && i < width) ? row[i] : 0;
    }
  }

  glBindTexture(GL_TEXTURE_2D, tex_base[code]);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  // Rows of two-byte pixels need not be 4-byte aligned; other uploads rely on the default.
  GLint oldAlignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &oldAlignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width2, height2, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE,
               expanded.data());
  glPixelStorei(GL_UNPACK_ALIGNMENT, oldAlignment);

  float x = static_cast<float>(width) / static_cast<float>(width2);
  float y = static_cast<float>(rows) / static_cast<float>(height2);
  glNewList(list, GL_COMPILE);
  glBindTexture(GL_TEXTURE_2D, tex_base[code]);
  // The glyph's own offsets must not carry over to the next character.
  glPushMatrix();
  glTranslatef(static_cast<float>(bitmapGlyph->left), 0, 0);
  // Every glyph stands on one baseline, a capital's height below the pen (y grows down): a
  // capital hangs from the pen, and descenders reach below the baseline instead of lifting
  // their letter above the others.
  glTranslatef(0, static_cast<float>(capitalTop - bitmapGlyph->top), 0);
  glBegin(GL_QUADS);
  glTexCoord2d(0, 0);
  glVertex2f(0, 0);
  glTexCoord2d(0, y);
  glVertex2f(0, static_cast<float>(rows));
  glTexCoord2d(x, y);
  glVertex2f(static_cast<float>(width), static_cast<float>(rows));
  glTexCoord2d(x, 0);
  glVertex2f(static_cast<float>(width), 0);
  glEnd();
  glPopMatrix();
  glTranslatef(static_cast<float>(advance), 0, 0);
  glEndList();

  FT_Done_Glyph(glyph);
}

void font_data::init(char const* fname, unsigned int newH) {
  textures = new GLuint[numChars];
  h = static_cast<float>(newH);

  FT_Library library;
  if (FT_Init_FreeType(&library)) {
    // Without a library no face can be opened: the same end as a missing font file.
    recordError("Error: FT_Init_FreeType failed");
    reportStartUpFailure("cannot start FreeType to read the font", false);
    endProgram(1);
    return;
  }
  FT_Face face;
  if (FT_New_Face(library, fname, 0, &face)) {
    recordError("Error: FT_New_Face failed (there is probably a problem with your font file)");
    recordError("font file:", fname);
    char here[4096];
    std::string folder = getcwd(here, sizeof here) ? here : "the current folder";
    reportStartUpFailure(std::string("cannot read the font \"") + fname + "\" in " + folder, true);
    FT_Done_FreeType(library);
    endProgram(1);
    return;
  }
  FT_Set_Char_Size(face, newH << 6, newH << 6, 96, 96);

  list_base = glGenLists(numChars);
  glGenTextures(numChars, textures);
  capitalTop = capitalTopOf(face);
  for (int i = 0; i < numChars; i++) make_dlist(face, static_cast<char>(i), list_base, textures);

  FT_Done_Face(face);
  FT_Done_FreeType(library);
}

void font_data::clean() {
  glDeleteLists(list_base, numChars);
  glDeleteTextures(numChars, textures);
  delete[] textures;
  textures = nullptr;
}

void glPrint(font_data const& ft_font, float x, float y, char const* text) {
  std::vector<std::string> lines = drawableLines(text);
  float height = lineHeight(ft_font);

  glPushAttrib(GL_LIST_BIT | GL_CURRENT_BIT | GL_ENABLE_BIT | GL_TRANSFORM_BIT);
  glMatrixMode(GL_MODELVIEW);
  glDisable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glListBase(ft_font.list_base);
  for (size_t i = 0; i < lines.size(); i++) {
    glLoadIdentity();
    glTranslatef(x, y - height * static_cast<float>(i), 0);
    glCallLists(static_cast<GLsizei>(lines[i].size()), GL_UNSIGNED_BYTE, lines[i].data());
  }
  glPopAttrib();
}

void pushScreenCoordinateMatrix() {
  glPushAttrib(GL_TRANSFORM_BIT);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluOrtho2D(viewport[0], viewport[2], viewport[1], viewport[3]);
  glPopAttrib();
}

void pop_projection_matrix() {
  glPushAttrib(GL_TRANSFORM_BIT);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glPopAttrib();
}

void getStrWidthHeight(float& width, float& height, font_data const& font, char const* text) {
  std::vector<std::string> lines = drawableLines(text);
  width = 0;
  height = font.h + lineHeight(font) * static_cast<float>(lines.size() - 1);

  // Each line's lists are run with every colour channel masked; the pen advance they leave on
  // the model-view matrix is the line's width exactly as glPrint draws it.
  pushScreenCoordinateMatrix();
  glPushAttrib(GL_LIST_BIT | GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT | GL_TRANSFORM_BIT);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_TEXTURE_2D);
  glListBase(font.list_base);
  for (size_t i = 0; i < lines.size(); i++) {
    glLoadIdentity();
    glCallLists(static_cast<GLsizei>(lines[i].size()), GL_UNSIGNED_BYTE, lines[i].data());
    GLfloat matrix[16] = {0};
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    if (matrix[12] > width) width = matrix[12];
  }
  glPopMatrix();
  glPopAttrib();
  pop_projection_matrix();
}
