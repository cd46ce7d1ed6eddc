// glPushAttrib and glPopAttrib, which the emulation lacks, for the groups the
// show saves: the texture binding and switch (GL_TEXTURE_BIT), blending, the
// clear colour and the colour mask (GL_COLOR_BUFFER_BIT), and the list base
// (GL_LIST_BIT). Other groups are said to be unsupported, once.
#define GL_GLEXT_PROTOTYPES
#include "platform/web/legacy_gl/entry_points.h"
#include "platform/web/legacy_gl/state.h"

#include <GL/glext.h>

using legacy_gl::state;

extern "C" {

void glPushAttrib(GLbitfield mask)
{
    legacy_gl::State& s = state();
    constexpr GLbitfield kept = GL_TEXTURE_BIT | GL_COLOR_BUFFER_BIT | GL_LIST_BIT;
    if (mask & ~kept)
        legacy_gl::unsupported("glPushAttrib groups other than texture, colour buffer and list");
    legacy_gl::SavedAttributes saved;
    saved.mask = mask;
    if (mask & GL_TEXTURE_BIT) {
        saved.texture2D = s.texture2D;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &saved.texture);
    }
    if (mask & GL_COLOR_BUFFER_BIT) {
        saved.blend = glIsEnabled(GL_BLEND);
        glGetIntegerv(GL_BLEND_SRC_RGB, &saved.blendSrcRgb);
        glGetIntegerv(GL_BLEND_DST_RGB, &saved.blendDstRgb);
        glGetIntegerv(GL_BLEND_SRC_ALPHA, &saved.blendSrcAlpha);
        glGetIntegerv(GL_BLEND_DST_ALPHA, &saved.blendDstAlpha);
        glGetFloatv(GL_COLOR_CLEAR_VALUE, saved.clearColour.data());
        glGetBooleanv(GL_COLOR_WRITEMASK, saved.colourMask.data());
    }
    if (mask & GL_LIST_BIT)
        saved.listBase = s.listBase;
    s.attributeStack.push_back(saved);
}

void glPopAttrib()
{
    legacy_gl::State& s = state();
    if (s.attributeStack.empty())
        return;  // GL_STACK_UNDERFLOW in GL; nothing changes
    legacy_gl::SavedAttributes saved = s.attributeStack.back();
    s.attributeStack.pop_back();
    if (saved.mask & GL_TEXTURE_BIT) {
        if (saved.texture2D)
            starwhirl_glEnable(GL_TEXTURE_2D);
        else
            starwhirl_glDisable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, GLuint(saved.texture));
    }
    if (saved.mask & GL_COLOR_BUFFER_BIT) {
        if (saved.blend)
            glEnable(GL_BLEND);
        else
            glDisable(GL_BLEND);
        glBlendFuncSeparate(GLenum(saved.blendSrcRgb), GLenum(saved.blendDstRgb), GLenum(saved.blendSrcAlpha),
                            GLenum(saved.blendDstAlpha));
        glClearColor(saved.clearColour[0], saved.clearColour[1], saved.clearColour[2], saved.clearColour[3]);
        glColorMask(saved.colourMask[0], saved.colourMask[1], saved.colourMask[2], saved.colourMask[3]);
    }
    if (saved.mask & GL_LIST_BIT)
        s.listBase = saved.listBase;
}

}  // extern "C"
