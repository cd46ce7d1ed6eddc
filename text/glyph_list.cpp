#include "text/glyph_list.h"

#include "text/atlas_geometry.h"

void compileGlyphList(GLuint list, const GlyphQuad& q, float advance)
{
    glNewList(list, GL_COMPILE);
    glBegin(GL_TRIANGLE_STRIP);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2f(q.u0, q.vBottom);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glTexCoord2f(q.u1, q.vBottom);
    glVertex3f(q.width, 0.0f, 0.0f);
    glTexCoord2f(q.u0, q.vTop);
    glVertex3f(0.0f, q.height, 0.0f);
    glTexCoord2f(q.u1, q.vTop);
    glVertex3f(q.width, q.height, 0.0f);
    glEnd();
    glTranslatef(advance, 0.0f, 0.0f);
    glEndList();
}
