// TrueType fonts rendered by FreeType into one OpenGL texture and one display list per
// 7-bit character, so that a line of text is one glCallLists over its bytes.
#pragma once

#include <GL/gl.h>
#include <ft2build.h>
#include FT_FREETYPE_H

struct font_data {
  // Nominal character height in pixels, as loaded.
  float h;
  // 128 texture names, one per character code.
  GLuint* textures;
  // First of 128 consecutive display lists.
  GLuint list_base;

  // Builds the set from a font file; a file that cannot be opened ends the program.
  void init(char const* fname, unsigned int h);
  void clean();
};

// The smallest power of two, from 1, that is not below a.
int next_p2(int a);

void make_dlist(FT_Face face, char ch, GLuint list_base, GLuint* tex_base);
// The list of a character whose glyph could not be loaded: it draws nothing and moves the
// pen on by `advance` pixels.
void makeAdvanceOnlyList(GLuint list, int advance);

// Draws the text at (x, y) in the current projection, line i at y - i line heights. Bytes
// above 127 have no glyph and are skipped.
void glPrint(font_data const& ft_font, float x, float y, char const* text);
// The width of the widest line and the height of the text as glPrint draws it; draws nothing.
void getStrWidthHeight(float& width, float& height, font_data const& font, char const* text);

void pushScreenCoordinateMatrix();
void pop_projection_matrix();
