// Windows' opengl32 exports OpenGL 1.1 only. The framebuffer objects that
// frames are read back with (OpenGL 3.0) come from the driver at run time;
// these definitions stand in for the library's own, so the code that uses
// them is the same on every system. A driver without them makes no names
// and answers 0 to glCheckFramebufferStatus, GL's own word for a failure,
// which the code that asked reports.
#define GL_GLEXT_PROTOTYPES
#include <windows.h>

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstdint>

namespace {

template <typename Function>
Function driverFunction(const char* name)
{
    PROC address = wglGetProcAddress(name);
    // Some drivers answer a missing function with 1, 2, 3 or -1 instead of null.
    auto value = reinterpret_cast<std::intptr_t>(address);
    if (value == 0 || value == 1 || value == 2 || value == 3 || value == -1)
        return nullptr;
    // Through void (*)(), which converts to any function pointer type:
    // the driver's function has the type GL gives it, not PROC's.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

}  // namespace

#define STARWHIRL_FORWARD(name, type, parameters, arguments, missing) \
    extern "C" void APIENTRY name parameters                           \
    {                                                                  \
        static type function = driverFunction<type>(#name);            \
        if (function)                                                  \
            function arguments;                                        \
        else                                                           \
            missing;                                                   \
    }

STARWHIRL_FORWARD(glGenFramebuffers, PFNGLGENFRAMEBUFFERSPROC, (GLsizei n, GLuint* names), (n, names),
                  std::fill_n(names, std::max(n, 0), 0u))
STARWHIRL_FORWARD(glDeleteFramebuffers, PFNGLDELETEFRAMEBUFFERSPROC, (GLsizei n, const GLuint* names), (n, names),
                  (void)0)
STARWHIRL_FORWARD(glBindFramebuffer, PFNGLBINDFRAMEBUFFERPROC, (GLenum target, GLuint name), (target, name), (void)0)
STARWHIRL_FORWARD(glGenRenderbuffers, PFNGLGENRENDERBUFFERSPROC, (GLsizei n, GLuint* names), (n, names),
                  std::fill_n(names, std::max(n, 0), 0u))
STARWHIRL_FORWARD(glDeleteRenderbuffers, PFNGLDELETERENDERBUFFERSPROC, (GLsizei n, const GLuint* names),
                  (n, names), (void)0)
STARWHIRL_FORWARD(glBindRenderbuffer, PFNGLBINDRENDERBUFFERPROC, (GLenum target, GLuint name), (target, name),
                  (void)0)
STARWHIRL_FORWARD(glRenderbufferStorage, PFNGLRENDERBUFFERSTORAGEPROC,
                  (GLenum target, GLenum format, GLsizei width, GLsizei height), (target, format, width, height),
                  (void)0)
STARWHIRL_FORWARD(glFramebufferRenderbuffer, PFNGLFRAMEBUFFERRENDERBUFFERPROC,
                  (GLenum target, GLenum attachment, GLenum renderbufferTarget, GLuint renderbuffer),
                  (target, attachment, renderbufferTarget, renderbuffer), (void)0)

extern "C" GLenum APIENTRY glCheckFramebufferStatus(GLenum target)
{
    static PFNGLCHECKFRAMEBUFFERSTATUSPROC function =
        driverFunction<PFNGLCHECKFRAMEBUFFERSTATUSPROC>("glCheckFramebufferStatus");
    return function ? function(target) : 0;
}
