#pragma once

#include <memory>

namespace platform {

// Presents the window's frames so that every presentation of a frame shows
// that frame. Some frames are presented twice with nothing drawn in between,
// and after a swap the back buffer may hold an older frame or nothing. Where
// the system does not promise to keep it, the first presentation keeps a
// copy of the frame, and a later one puts the copy back before it swaps.
class FramePresenter {
public:
    // Decides, once, whether copies are needed: STARWHIRL_KEEP_FRAME=1 forces
    // them; otherwise the system's swap model decides. Needs the window's GL
    // context to be current.
    FramePresenter();
    ~FramePresenter();
    FramePresenter(const FramePresenter&) = delete;
    FramePresenter& operator=(const FramePresenter&) = delete;

    // A new frame, to be presented `presentations` times.
    void beginFrame(int presentations);
    // Shows the frame: the first time as drawn, later times the same again.
    void present();

private:
    // What a system whose swaps may lose the frame counts and keeps; only
    // such systems define it.
    struct Native;
    std::unique_ptr<Native> native_;
};

}  // namespace platform
