#include "capture/display_errors.h"
#include "tests/gl_test.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

namespace {

using DisplayErrorsTest = GlTest;

// An error on the capture's X display is noted for the capture to stop at,
// not the end of the process inside Xlib.
TEST_F(DisplayErrorsTest, ARefusedRequestIsNotedNotFatal)
{
    watchDisplayErrors();
    EXPECT_EQ(displayError(), "");
    Display* display = glXGetCurrentDisplay();
    ASSERT_NE(display, nullptr);
    Window gone = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XDestroyWindow(display, gone);
    XDestroyWindow(display, gone);
    XSync(display, False);
    EXPECT_EQ(displayError().rfind("the X server refused a request (BadWindow", 0), 0u) << displayError();
}

}  // namespace
