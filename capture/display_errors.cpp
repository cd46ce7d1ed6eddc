#include "capture/display_errors.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xext.h>

namespace {

// Only the first error matters; those after it follow from it. Written from
// inside Xlib calls on the one thread, read between frames.
std::string noted;

int noteRefusal(Display* display, XErrorEvent* event)
{
    if (noted.empty()) {
        char text[160];
        XGetErrorText(display, event->error_code, text, sizeof text);
        noted = "the X server refused a request (" + std::string(text) + ", major opcode " +
                std::to_string(event->request_code) + ", minor " + std::to_string(event->minor_code) + ")";
    }
    return 0;
}

int noteLoss(Display* display)
{
    if (noted.empty())
        noted = "lost the X display " + std::string(DisplayString(display)) +
                ": the X server ended or closed the connection";
    return 0;
}

// Xlib exits after a lost connection unless this returns; returning leaves
// the display marked as lost.
void carryOn(Display*, void*) {}

XextErrorHandler sayMissingExtension = nullptr;

// A lost display answers no extension queries, and Mesa still asks for its
// shared-memory extension when it lets go of the display at exit.
int quietOnceLost(Display* display, const char* name, const char* reason)
{
    if (!noted.empty() || !sayMissingExtension)
        return 0;
    return sayMissingExtension(display, name, reason);
}

}  // namespace

void watchDisplayErrors()
{
    XSetErrorHandler(noteRefusal);
    XSetIOErrorHandler(noteLoss);
    sayMissingExtension = XSetExtensionErrorHandler(quietOnceLost);
    if (Display* display = glXGetCurrentDisplay())
        XSetIOErrorExitHandler(display, carryOn, nullptr);
}

std::string displayError()
{
    return noted;
}
