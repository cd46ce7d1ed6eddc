// Windows' opengl32 exports OpenGL 1.1 only. The framebuffer objects that
// frames are kept and read back with (OpenGL 3.0) come from the driver at run
// time; these definitions stand in for the library's own, so the code that
// uses them is the same on every system.
#define GL_GLEXT_PROTOTYPES
#include <windows.h>

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>
#include <cstdlib>

namespace {

template <typename Function>
Function driverFunction(const char* name)
{
    PROC address = wglGetProcAddress(name);
    if (!address) {
        std::fprintf(stderr, "starwhirl: the OpenGL driver has no %s (framebuffer objects, OpenGL 3.0)\n", name);
        std::exit(1);
    }
    // Through void (*)(), which converts to any function pointer type:
    // the driver's function has the type GL gives it, not PROC's.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

}  // namespace

#define STARWHIRL_FORWARD(name, type, parameters, arguments)          \
    extern "C" void APIENTRY name parameters                          \
    {                                                                 \
        static type function = driverFunction<type>(#name);           \
        function arguments;                                           \
    }

STARWHIRL_FORWARD(glGenFramebuffers, PFNGLGENFRAMEBUFFERSPROC, (GLsizei n, GLuint* names), (n, names))
STARWHIRL_FORWARD(glDeleteFramebuffers, PFNGLDELETEFRAMEBUFFERSPROC, (GLsizei n, const GLuint* names), (n, names))
STARWHIRL_FORWARD(glBindFramebuffer, PFNGLBINDFRAMEBUFFERPROC, (GLenum target, GLuint name), (target, name))
STARWHIRL_FORWARD(glGenRenderbuffers, PFNGLGENRENDERBUFFERSPROC, (GLsizei n, GLuint* names), (n, names))
STARWHIRL_FORWARD(glDeleteRenderbuffers, PFNGLDELETERENDERBUFFERSPROC, (GLsizei n, const GLuint* names), (n, names))
STARWHIRL_FORWARD(glBindRenderbuffer, PFNGLBINDRENDERBUFFERPROC, (GLenum target, GLuint name), (target, name))
STARWHIRL_FORWARD(glRenderbufferStorage, PFNGLRENDERBUFFERSTORAGEPROC,
                  (GLenum target, GLenum format, GLsizei width, GLsizei height), (target, format, width, height))
STARWHIRL_FORWARD(glFramebufferRenderbuffer, PFNGLFRAMEBUFFERRENDERBUFFERPROC,
                  (GLenum target, GLenum attachment, GLenum renderbufferTarget, GLuint renderbuffer),
                  (target, attachment, renderbufferTarget, renderbuffer))
STARWHIRL_FORWARD(glBlitFramebuffer, PFNGLBLITFRAMEBUFFERPROC,
                  (GLint x0, GLint y0, GLint x1, GLint y1, GLint u0, GLint v0, GLint u1, GLint v1, GLbitfield mask,
                   GLenum filter),
                  (x0, y0, x1, y1, u0, v0, u1, v1, mask, filter))

extern "C" GLenum APIENTRY glCheckFramebufferStatus(GLenum target)
{
    static PFNGLCHECKFRAMEBUFFERSTATUSPROC function =
        driverFunction<PFNGLCHECKFRAMEBUFFERSTATUSPROC>("glCheckFramebufferStatus");
    return function(target);
}
