#include "platform/kept_frame.h"

#include <algorithm>

namespace platform {

void KeptFrame::keep(int width, int height)
{
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    width_ = std::clamp(width, 1, std::max(int(largest), 1));
    height_ = std::clamp(height, 1, std::max(int(largest), 1));

    glPushAttrib(GL_TEXTURE_BIT);  // the texture binding is the show's
    if (texture_ == 0)
        glGenTextures(1, &texture_);
    glBindTexture(GL_TEXTURE_2D, texture_);
    TextureSize size = keptTextureSize(size_, width_, height_);
    if (size.width != size_.width || size.height != size_.height) {
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, size.width, size.height, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
        // One texel to a pixel: drawn back unfiltered, the copy is exact.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        size_ = size;
    }
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, width_, height_);
    glPopAttrib();
}

void KeptFrame::restore() const
{
    if (texture_ == 0)
        return;
    // Drawing the copy back needs most of the fixed-function state set its
    // own way, and the show relies on its own settings from one frame to the
    // next: all of it is saved here and put back at the end.
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    for (GLenum capability : {GL_LIGHTING, GL_DEPTH_TEST, GL_BLEND, GL_ALPHA_TEST, GL_FOG, GL_STENCIL_TEST,
                              GL_SCISSOR_TEST, GL_CULL_FACE, GL_COLOR_LOGIC_OP, GL_DITHER, GL_POLYGON_SMOOTH,
                              GL_POLYGON_STIPPLE, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_1D})
        glDisable(capability);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glViewport(0, 0, width_, height_);

    // The quad fills the viewport, so each pixel's centre samples its own texel.
    float s = float(width_) / float(size_.width);
    float t = float(height_) / float(size_.height);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(-1.0f, -1.0f);
    glTexCoord2f(s, 0.0f);
    glVertex2f(1.0f, -1.0f);
    glTexCoord2f(0.0f, t);
    glVertex2f(-1.0f, 1.0f);
    glTexCoord2f(s, t);
    glVertex2f(1.0f, 1.0f);
    glEnd();

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glPopAttrib();
}

}  // namespace platform
