#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <string>
#include <vector>

// An 800 × 600 (or other size) colour and depth target that frames can be
// drawn into and read back from. Reading the window after a buffer swap is
// unreliable on virtual X servers, and the scene objects swap by themselves,
// so pictures of frames are always taken from one of these.
class OffscreenFrame {
public:
    OffscreenFrame(int width, int height);
    ~OffscreenFrame();
    OffscreenFrame(const OffscreenFrame&) = delete;
    OffscreenFrame& operator=(const OffscreenFrame&) = delete;

    // Empty when frames can be drawn into it, else one line saying why not.
    const std::string& error() const { return error_; }

    // Empty when the current context can draw offscreen at all, else one
    // line saying why not. Ask before largestDrawable() (app/window.h),
    // whose limits say nothing of frames without framebuffer objects.
    static std::string unavailable();

    int width() const { return width_; }
    int height() const { return height_; }

    // Makes this the target of drawing (and of reading) until release().
    void bind();
    void release();

    // RGB bytes, bottom row first, as GL delivers them.
    std::vector<std::uint8_t> readRgb() const;

private:
    int width_;
    int height_;
    GLuint framebuffer_ = 0;
    GLuint colour_ = 0;
    GLuint depth_ = 0;
    std::string error_;
};
