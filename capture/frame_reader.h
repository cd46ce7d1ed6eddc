#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <string>
#include <vector>

// Reads the frames drawn into the bound framebuffer into memory set aside
// once, RGB rows bottom-up as GL delivers them. With pixel-buffer objects the
// driver copies frame N into one buffer while frame N - 1, in the other, goes
// to the encoder; without them one plain buffer serves every frame.
class FrameReader {
public:
    enum class Method { pixelBuffers, plainBuffer, best };

    // Throws std::bad_alloc when there is no memory for the buffers.
    FrameReader(int width, int height, Method method = Method::best);
    ~FrameReader();
    FrameReader(const FrameReader&) = delete;
    FrameReader& operator=(const FrameReader&) = delete;

    // A frame whose pixels are ready: `rgb` is null when there is none, and
    // stays valid until the next call to read() or rest().
    struct Frame {
        int number = -1;
        const std::uint8_t* rgb = nullptr;
    };

    // Starts reading the frame just drawn, numbered `number`, and returns
    // the oldest frame read whose pixels are ready to take (with pixel
    // buffers, the one before). A null frame with `error` set when the
    // driver's memory cannot be reached.
    Frame read(int number, std::string& error);
    // The frame still held after the last read(), once no more come.
    Frame rest(std::string& error);

    bool usesPixelBuffers() const { return !pixelBuffers_.empty(); }

private:
    Frame take(int buffer, std::string& error);
    void unmap();

    int width_;
    int height_;
    std::size_t bytes_;
    std::vector<GLuint> pixelBuffers_;  // two, or none
    std::vector<std::uint8_t> plain_;   // when there are none
    int held_[2] = {-1, -1};            // the frame in each pixel buffer, or -1
    int next_ = 0;                      // the pixel buffer the next read fills
    GLuint mapped_ = 0;
};
