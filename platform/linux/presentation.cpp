#include "platform/presentation.h"

#include "platform/extension_list.h"

#include <GL/gl.h>
#include <GL/glx.h>
#include <GL/glxext.h>

#include <cstring>

namespace platform {

namespace {

bool startsWith(const char* text, const char* prefix)
{
    return text && std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

}  // namespace

SwapFacts swapFacts()
{
    SwapFacts facts;
    // Mesa's software rasterisers reach an X window only through the
    // software path, which presents the client's back buffer with
    // XPutImage: a copy, after which the back buffer is untouched.
    auto renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    facts.copies = startsWith(renderer, "llvmpipe") || startsWith(renderer, "softpipe");
    Display* display = glXGetCurrentDisplay();
    facts.reportsAge =
        display && listsExtension(glXQueryExtensionsString(display, DefaultScreen(display)), "GLX_EXT_buffer_age");
    return facts;
}

int backBufferAge()
{
    Display* display = glXGetCurrentDisplay();
    GLXDrawable drawable = glXGetCurrentDrawable();
    if (!display || !drawable)
        return 0;
    unsigned int age = 0;
    glXQueryDrawable(display, drawable, GLX_BACK_BUFFER_AGE_EXT, &age);
    return int(age);
}

}  // namespace platform
