#include "platform/frame_presenter.h"

#include "platform/kept_frame.h"
#include "platform/presentation_rules.h"

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

struct FramePresenter::Native {
    FramePresentations presentations;
    KeptFrame kept;
};

FramePresenter::FramePresenter()
    : native_(new Native{FramePresentations(keepRuleFor(swapModelOf(swapFacts()), copiesForced())), KeptFrame()})
{
}

FramePresenter::~FramePresenter() = default;

void FramePresenter::beginFrame(int presentations)
{
    native_->presentations.begin(presentations);
}

void FramePresenter::present()
{
    switch (native_->presentations.next(backBufferAge)) {
    case BeforeSwap::nothing:
        break;
    case BeforeSwap::keep:
        native_->kept.keep(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
        break;
    case BeforeSwap::restore:
        native_->kept.restore();
        break;
    }
    glutSwapBuffers();
}

}  // namespace platform
