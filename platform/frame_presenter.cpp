#define GL_GLEXT_PROTOTYPES
#include "platform/frame_presenter.h"

#include "platform/presentation.h"

#include <GL/glext.h>
#include <GL/glut.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

// STARWHIRL_KEEP_FRAME=1 keeps copies whatever the driver says, for drivers
// that are misjudged; 0 or unset lets the swap model decide.
bool copiesForced()
{
    const char* value = std::getenv("STARWHIRL_KEEP_FRAME");
    if (!value || !*value || std::strcmp(value, "0") == 0)
        return false;
    if (std::strcmp(value, "1") == 0)
        return true;
    std::fprintf(stderr, "starwhirl: STARWHIRL_KEEP_FRAME is \"%s\", not 0 or 1; ignoring it\n", value);
    return false;
}

}  // namespace

FramePresenter::FramePresenter()
{
    if (copiesForced()) {
        rule_ = Rule::keepCopy;
        return;
    }
    switch (swapModel()) {
    case SwapModel::copies:
        rule_ = Rule::presentAgain;
        break;
    case SwapModel::reportsAge:
        rule_ = Rule::askAge;
        break;
    case SwapModel::unknown:
        rule_ = Rule::keepCopy;
        break;
    }
}

FramePresenter::~FramePresenter()
{
    glDeleteFramebuffers(1, &framebuffer_);
    glDeleteRenderbuffers(1, &colour_);
}

void FramePresenter::beginFrame(int presentations)
{
    presentations_ = presentations;
    presented_ = 0;
    kept_ = false;
}

void FramePresenter::present()
{
    if (rule_ != Rule::presentAgain) {
        if (kept_ && !(rule_ == Rule::askAge && backBufferAge() == 1))
            copyFrame(false);
        else if (presented_ == 0 && presentations_ > 1)
            copyFrame(true);
    }
    glutSwapBuffers();
    ++presented_;
}

// Copies the colour of the frame being drawn into the kept copy, or back.
// Only the framebuffer bindings change, and they are put back: the frame's
// drawing state belongs to the show.
void FramePresenter::copyFrame(bool keep)
{
    GLint drawn = 0, read = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawn);
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &read);
    if (keep) {
        GLint largest = 0;
        glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
        int width = std::min(glutGet(GLUT_WINDOW_WIDTH), int(largest));
        int height = std::min(glutGet(GLUT_WINDOW_HEIGHT), int(largest));
        if (width != width_ || height != height_ || framebuffer_ == 0) {
            if (framebuffer_ == 0) {
                glGenFramebuffers(1, &framebuffer_);
                glGenRenderbuffers(1, &colour_);
            }
            glBindRenderbuffer(GL_RENDERBUFFER, colour_);
            glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, std::max(width, 1), std::max(height, 1));
            glBindRenderbuffer(GL_RENDERBUFFER, 0);
            glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer_);
            glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
            width_ = width;
            height_ = height;
        }
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, keep ? GLuint(drawn) : framebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, keep ? framebuffer_ : GLuint(drawn));
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    kept_ = true;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, GLuint(read));
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, GLuint(drawn));
}

}  // namespace platform
