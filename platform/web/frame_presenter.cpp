#include "platform/frame_presenter.h"

#include <GL/glut.h>

namespace platform {

// Every presentation of a frame on a page shows that frame: the browser
// shows the canvas after the pass that drew it, whatever was swapped in
// between (platform/web/presentation.cpp). So nothing is ever copied, and
// WebGL 1, which cannot copy between framebuffers, suffices.
FramePresenter::FramePresenter() : rule_(Rule::presentAgain) {}

FramePresenter::~FramePresenter() = default;

void FramePresenter::beginFrame(int presentations)
{
    presentations_ = presentations;
    presented_ = 0;
    kept_ = false;
}

void FramePresenter::present()
{
    glutSwapBuffers();
    ++presented_;
}

}  // namespace platform
