// glutSolidSphere and glutSolidCube, which Emscripten's GLUT lacks.
#include "platform/web/legacy_gl/glut_geometry.h"
#include "platform/web/legacy_gl/state.h"

#include <GL/glut.h>

extern "C" {

void glutSolidSphere(GLdouble radius, GLint slices, GLint stacks)
{
    for (const legacy_gl::Primitive& strip : legacy_gl::solidSphere(radius, slices, stacks))
        legacy_gl::drawPrimitive(strip);
}

void glutSolidCube(GLdouble size)
{
    legacy_gl::drawPrimitive(legacy_gl::solidCube(size));
}

}  // extern "C"
