#pragma once

// The GL calls that Emscripten's legacy GL emulation answers wrongly, under
// names of our own; legacy_gl.h routes the show's calls here. The calls the
// emulation lacks altogether keep their own names and are defined in this
// folder too.

#include <GL/gl.h>

extern "C" {
void starwhirl_glEnable(GLenum cap);
void starwhirl_glDisable(GLenum cap);
GLboolean starwhirl_glIsEnabled(GLenum cap);

void starwhirl_glColor3f(GLfloat red, GLfloat green, GLfloat blue);
void starwhirl_glColor3fv(const GLfloat* rgb);
void starwhirl_glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha);
void starwhirl_glMaterialfv(GLenum face, GLenum name, const GLfloat* values);

void starwhirl_glBegin(GLenum mode);
void starwhirl_glEnd();
void starwhirl_glNormal3f(GLfloat x, GLfloat y, GLfloat z);
void starwhirl_glNormal3fv(const GLfloat* v);
void starwhirl_glTexCoord2f(GLfloat s, GLfloat t);
void starwhirl_glVertex3f(GLfloat x, GLfloat y, GLfloat z);
void starwhirl_glVertex3fv(const GLfloat* v);
void starwhirl_glTranslatef(GLfloat x, GLfloat y, GLfloat z);

void starwhirl_glTexParameteri(GLenum target, GLenum name, GLint value);
}
