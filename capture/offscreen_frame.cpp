#define GL_GLEXT_PROTOTYPES
#include "capture/offscreen_frame.h"

#include "platform/extension_list.h"

#include <GL/glext.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Indirect GLX offers none (and answers with an empty version): its calls
// would go to the X server as requests it refuses.
bool offersFramebufferObjects()
{
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (version && std::atoi(version) >= 3)
        return true;
    return platform::listsExtension(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)),
                                    "GL_ARB_framebuffer_object");
}

}  // namespace

std::string OffscreenFrame::unavailable()
{
    if (offersFramebufferObjects())
        return {};
    return "cannot draw offscreen: this OpenGL driver has no framebuffer objects (indirect GLX rendering has none)";
}

OffscreenFrame::OffscreenFrame(int width, int height) : width_(width), height_(height)
{
    error_ = unavailable();
    if (!error_.empty())
        return;
    glGenFramebuffers(1, &framebuffer_);
    glGenRenderbuffers(1, &colour_);
    glGenRenderbuffers(1, &depth_);

    glBindRenderbuffer(GL_RENDERBUFFER, colour_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, depth_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);

    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
    GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (status != GL_FRAMEBUFFER_COMPLETE) {
        char line[80];
        std::snprintf(line, sizeof line, "cannot create a %d x %d offscreen frame (status 0x%x)", width, height,
                      status);
        error_ = line;
    }
}

OffscreenFrame::~OffscreenFrame()
{
    if (framebuffer_ == 0)
        return;
    glDeleteFramebuffers(1, &framebuffer_);
    glDeleteRenderbuffers(1, &colour_);
    glDeleteRenderbuffers(1, &depth_);
}

void OffscreenFrame::bind()
{
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
}

void OffscreenFrame::release()
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

std::vector<std::uint8_t> OffscreenFrame::readRgb() const
{
    std::vector<std::uint8_t> rgb(std::size_t(width_) * height_ * 3);
    GLint previous = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &previous);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glPopClientAttrib();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, GLuint(previous));
    return rgb;
}

