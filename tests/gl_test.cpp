#include "tests/gl_test.h"

#include "app/show.h"
#include "app/window.h"

#include <GL/glut.h>

#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

Matrix currentMatrix(GLenum which)
{
    Matrix m{};
    glGetFloatv(which, m.data());
    return m;
}

std::array<GLfloat, 4> currentColour()
{
    std::array<GLfloat, 4> c{};
    glGetFloatv(GL_CURRENT_COLOR, c.data());
    return c;
}

void expectMatrixNear(const Matrix& actual, const Matrix& expected, float tolerance)
{
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "element " << i;
}

Matrix translation(float x, float y, float z)
{
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
}

Picture Picture::of(const OffscreenFrame& frame)
{
    return Picture{frame.width(), frame.height(), frame.readRgb()};
}

const std::uint8_t* Picture::at(int x, int yFromTop) const
{
    int row = height - 1 - yFromTop;
    return &rgb[(std::size_t(row) * width + x) * 3];
}

bool Picture::isInk(int x, int yFromTop) const
{
    const std::uint8_t* p = at(x, yFromTop);
    return p[0] > 8 || p[1] > 8 || p[2] > 8;
}

int Picture::inkCount(int x0, int y0, int x1, int y1) const
{
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            count += isInk(x, y);
    return count;
}

void GlTest::SetUp()
{
    while (glGetError() != GL_NO_ERROR) {
    }
    // Tests share one context; each starts from the state the window began with.
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    // Mesa's glPopAttrib does not always bring the current colour back.
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    Show::reshape(showWindowSize.width, showWindowSize.height);
}

void GlTest::TearDown()
{
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1) << "model-view stack";
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1) << "projection stack";
    glPopAttrib();
    glMatrixMode(GL_MODELVIEW);
}

namespace {

class GlutWindowEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        WindowRequest window;
        window.title = "starwhirl-gl-tests";
        window.glutArguments = {window.title};
        if (auto failure = openWindow(window)) {
            std::fprintf(stderr, "%s\n", failure->line(window.title).c_str());
            std::exit(1);
        }
    }
};

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Forking a process that holds a GL context is unsafe; re-run instead.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ::testing::AddGlobalTestEnvironment(new GlutWindowEnvironment);
    int status = RUN_ALL_TESTS();
#if defined(__SANITIZE_ADDRESS__)
    // Leaks are looked for now, while Mesa's worker threads wait idle, and
    // not at exit, where the driver's own exit handlers stop them while
    // LeakSanitizer's tracer walks them: that crashed the tracer ("Tracer
    // caught signal 11") now and then on loaded machines. The check at exit
    // then does nothing.
    __lsan_do_leak_check();
#endif
    return status;
}
