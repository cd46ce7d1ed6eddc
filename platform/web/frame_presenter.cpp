#include "platform/frame_presenter.h"

#include <GL/glut.h>

namespace platform {

// A page presents its canvas once, when the pass that drew it returns to the
// browser; a swap inside the pass presents nothing and leaves the drawing as
// it is. So every presentation of a frame shows that frame, nothing is ever
// copied, and WebGL 1, which cannot copy between framebuffers, suffices.
// Nothing to count or keep: no Native.
struct FramePresenter::Native {};

FramePresenter::FramePresenter() = default;

FramePresenter::~FramePresenter() = default;

void FramePresenter::beginFrame(int) {}

void FramePresenter::present()
{
    glutSwapBuffers();
}

}  // namespace platform
