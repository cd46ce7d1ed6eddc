// Texture calls the emulation lacks or WebGL refuses: gluBuild2DMipmaps,
// gluErrorString, and GL_CLAMP.
#include "platform/web/legacy_gl/entry_points.h"
#include "platform/web/legacy_gl/mipmaps.h"
#include "platform/web/legacy_gl/state.h"

#include <GL/glu.h>

#include <vector>

void starwhirl_glTexParameteri(GLenum target, GLenum name, GLint value)
{
    // WebGL has no border colour to clamp towards; the nearest it offers is
    // the edge texel.
    if ((name == GL_TEXTURE_WRAP_S || name == GL_TEXTURE_WRAP_T) && value == GL_CLAMP)
        value = GL_CLAMP_TO_EDGE;
    glTexParameteri(target, name, value);
}

extern "C" {

// As GLU does it: level 0 is the image, each further level the one before
// halved with a 2 x 2 box filter, down to 1 x 1. Power-of-two RGBA bytes
// only, which is what WebGL 1 can mipmap.
GLint gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height, GLenum format,
                        GLenum type, const void* data)
{
    if (target != GL_TEXTURE_2D || format != GL_RGBA || type != GL_UNSIGNED_BYTE ||
        (internalFormat != GL_RGBA && internalFormat != 4))
        return GLU_INVALID_ENUM;
    if (width < 1 || height < 1 || (width & (width - 1)) || (height & (height - 1)))
        return GLU_INVALID_VALUE;
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);

    const auto* pixels = static_cast<const std::uint8_t*>(data);
    std::vector<std::uint8_t> halved;
    while (glGetError() != GL_NO_ERROR) {
    }
    // Images larger than the largest texture are halved until they fit, as
    // GLU scales them down.
    for (int level = 0;;) {
        if (width <= largest && height <= largest) {
            glTexImage2D(GL_TEXTURE_2D, level++, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
            if (glGetError() == GL_OUT_OF_MEMORY)
                return GLU_OUT_OF_MEMORY;
        }
        if (width == 1 && height == 1)
            return 0;
        halved = legacy_gl::halveImage(pixels, width, height);
        pixels = halved.data();
        width = width > 1 ? width / 2 : 1;
        height = height > 1 ? height / 2 : 1;
    }
}

const GLubyte* gluErrorString(GLenum error)
{
    const char* text = "unknown error";
    switch (error) {
    case GL_NO_ERROR: text = "no error"; break;
    case GL_INVALID_ENUM: text = "invalid enumerant"; break;
    case GL_INVALID_VALUE: text = "invalid value"; break;
    case GL_INVALID_OPERATION: text = "invalid operation"; break;
    case GL_STACK_OVERFLOW: text = "stack overflow"; break;
    case GL_STACK_UNDERFLOW: text = "stack underflow"; break;
    case GL_OUT_OF_MEMORY: text = "out of memory"; break;
    case GLU_INVALID_ENUM: text = "invalid enumerant"; break;
    case GLU_INVALID_VALUE: text = "invalid value"; break;
    case GLU_OUT_OF_MEMORY: text = "out of memory"; break;
    }
    return reinterpret_cast<const GLubyte*>(text);
}

}  // extern "C"
