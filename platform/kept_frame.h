#pragma once

#include "platform/presentation_rules.h"

#include <GL/gl.h>

namespace platform {

// A copy of the frame being drawn, kept in a texture and drawn back over the
// whole of it: OpenGL 1.1 calls only, so that every driver can keep frames,
// those without framebuffer objects (OpenGL 1.x and 2.x drivers, indirect
// GLX) among them. Needs the window's GL context to be current.
class KeptFrame {
public:
    KeptFrame() = default;
    ~KeptFrame() { glDeleteTextures(1, &texture_); }
    KeptFrame(const KeptFrame&) = delete;
    KeptFrame& operator=(const KeptFrame&) = delete;

    // Copies the bottom-left `width` × `height` pixels of the frame being
    // drawn, as much of them as the driver's largest texture holds.
    void keep(int width, int height);
    // Draws the kept copy back where it was taken from, exactly, pixel for
    // pixel; the frame's own drawing state is as it was afterwards.
    void restore() const;

private:
    GLuint texture_ = 0;
    TextureSize size_{0, 0};
    int width_ = 0;
    int height_ = 0;
};

}  // namespace platform
