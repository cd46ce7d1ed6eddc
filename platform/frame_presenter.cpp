#include "platform/frame_presenter.h"

#include <GL/glut.h>

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

FramePresenter::FramePresenter() : presentations_(keepRuleFor(swapModel(), copiesForced())) {}

FramePresenter::~FramePresenter() = default;

void FramePresenter::beginFrame(int presentations)
{
    presentations_.begin(presentations);
}

void FramePresenter::present()
{
    switch (presentations_.next(backBufferAge)) {
    case BeforeSwap::nothing:
        break;
    case BeforeSwap::keep:
        kept_.keep(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
        break;
    case BeforeSwap::restore:
        kept_.restore();
        break;
    }
    glutSwapBuffers();
}

}  // namespace platform
