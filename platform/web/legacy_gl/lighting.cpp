// The switches and colours the emulation gets wrong: GL_COLOR_MATERIAL and
// glColorMaterial are ignored, glIsEnabled(GL_TEXTURE_2D) always answers 0,
// and an emission material aborts. The layer keeps these itself and hands the
// emulation the material values they imply.
#include "platform/web/legacy_gl/emulation_internals.h"
#include "platform/web/legacy_gl/entry_points.h"
#include "platform/web/legacy_gl/state.h"

using legacy_gl::state;

namespace legacy_gl {

void trackColour()
{
    State& s = state();
    if (!s.colourMaterial)
        return;
    const GLfloat* c = s.colour.data();
    switch (s.colourMaterialMode) {
    case GL_EMISSION:
        setEmission(c[0], c[1], c[2], c[3]);
        break;
    case GL_AMBIENT:
    case GL_DIFFUSE:
    case GL_SPECULAR:
        glMaterialfv(GL_FRONT_AND_BACK, s.colourMaterialMode, c);
        break;
    case GL_AMBIENT_AND_DIFFUSE:
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, c);
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, c);
        break;
    }
}

}  // namespace legacy_gl

void starwhirl_glEnable(GLenum cap)
{
    legacy_gl::State& s = state();
    if (cap == GL_COLOR_MATERIAL) {
        // Enabling makes the tracked material take the current colour at once.
        s.colourMaterial = true;
        legacy_gl::trackColour();
        return;
    }
    if (cap == GL_TEXTURE_2D)
        s.texture2D = true;
    glEnable(cap);
}

void starwhirl_glDisable(GLenum cap)
{
    legacy_gl::State& s = state();
    if (cap == GL_COLOR_MATERIAL) {
        s.colourMaterial = false;
        return;
    }
    if (cap == GL_TEXTURE_2D)
        s.texture2D = false;
    glDisable(cap);
}

GLboolean starwhirl_glIsEnabled(GLenum cap)
{
    if (cap == GL_COLOR_MATERIAL)
        return state().colourMaterial ? GL_TRUE : GL_FALSE;
    if (cap == GL_TEXTURE_2D)
        return state().texture2D ? GL_TRUE : GL_FALSE;
    return glIsEnabled(cap);
}

extern "C" void glColorMaterial(GLenum face, GLenum mode)
{
    // The emulation lights front faces only, so the face is not kept.
    (void)face;
    state().colourMaterialMode = mode;
    legacy_gl::trackColour();
}

void starwhirl_glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha)
{
    legacy_gl::State& s = state();
    if (s.recording) {
        s.recorded.push_back(legacy_gl::ListCall{legacy_gl::ListCall::Kind::colour, {}, {red, green, blue, alpha}, 0});
        s.colour = {red, green, blue, alpha};
        return;
    }
    s.colour = {red, green, blue, alpha};
    glColor4f(red, green, blue, alpha);
    legacy_gl::trackColour();
}

void starwhirl_glColor3f(GLfloat red, GLfloat green, GLfloat blue)
{
    starwhirl_glColor4f(red, green, blue, 1.0f);
}

void starwhirl_glColor3fv(const GLfloat* rgb)
{
    starwhirl_glColor4f(rgb[0], rgb[1], rgb[2], 1.0f);
}

void starwhirl_glMaterialfv(GLenum face, GLenum name, const GLfloat* values)
{
    if (name == GL_EMISSION) {
        legacy_gl::setEmission(values[0], values[1], values[2], values[3]);
        return;
    }
    glMaterialfv(face, name, values);
}
