#pragma once

// Compiled in front of every file of the web build that draws (-include).
// Emscripten's legacy GL emulation (3.1.6) gets these calls wrong for the
// show; each is routed to its replacement in this folder:
// - glEnable, glDisable, glIsEnabled: GL_COLOR_MATERIAL is ignored and
//   GL_TEXTURE_2D always reads as disabled;
// - glColor*, glMaterialfv: colour tracking of the emission is ignored and
//   an emission material aborts;
// - glBegin ... glEnd: a normal given once before the first vertex draws
//   wrong shapes (the emulation wants every attribute at every vertex), and
//   inside glNewList the calls must be recorded, not drawn;
// - glTranslatef: recorded inside glNewList;
// - glTexParameteri: GL_CLAMP, which WebGL rejects.

#include "platform/web/legacy_gl/entry_points.h"

#define glEnable starwhirl_glEnable
#define glDisable starwhirl_glDisable
#define glIsEnabled starwhirl_glIsEnabled
#define glColor3f starwhirl_glColor3f
#define glColor3fv starwhirl_glColor3fv
#define glColor4f starwhirl_glColor4f
#define glMaterialfv starwhirl_glMaterialfv
#define glBegin starwhirl_glBegin
#define glEnd starwhirl_glEnd
#define glNormal3f starwhirl_glNormal3f
#define glNormal3fv starwhirl_glNormal3fv
#define glTexCoord2f starwhirl_glTexCoord2f
#define glVertex3f starwhirl_glVertex3f
#define glVertex3fv starwhirl_glVertex3fv
#define glTranslatef starwhirl_glTranslatef
#define glTexParameteri starwhirl_glTexParameteri
