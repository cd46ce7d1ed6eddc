#pragma once

#include <GL/gl.h>

struct GlyphQuad;

// Compiles `list` to draw the glyph's textured quad, facing the viewer, then
// move the current position right by `advance`.
void compileGlyphList(GLuint list, const GlyphQuad& quad, float advance);
