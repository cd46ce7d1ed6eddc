#define GL_GLEXT_PROTOTYPES
#include "capture/frame_reader.h"

#include <GL/glext.h>

#include <cstdio>
#include <new>

namespace {

// Pixel-buffer objects are core from OpenGL 2.1 on.
bool offersPixelBuffers()
{
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    int major = 0, minor = 0;
    if (!version || std::sscanf(version, "%d.%d", &major, &minor) != 2)
        return false;
    return major > 2 || (major == 2 && minor >= 1);
}

// Into `destination`, an offset into the bound pixel buffer when one is.
void readBoundFramebuffer(int width, int height, void* destination)
{
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, destination);
    glPopClientAttrib();
}

}  // namespace

FrameReader::FrameReader(int width, int height, Method method)
    : width_(width), height_(height), bytes_(std::size_t(width) * std::size_t(height) * 3)
{
    bool pixelBuffers = method == Method::pixelBuffers || (method == Method::best && offersPixelBuffers());
    if (!pixelBuffers) {
        plain_.resize(bytes_);
        return;
    }
    pixelBuffers_.resize(2);
    glGenBuffers(2, pixelBuffers_.data());
    for (GLuint buffer : pixelBuffers_) {
        glBindBuffer(GL_PIXEL_PACK_BUFFER, buffer);
        glBufferData(GL_PIXEL_PACK_BUFFER, GLsizeiptr(bytes_), nullptr, GL_STREAM_READ);
    }
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    // The driver says so only through its error flag; the capture reports
    // it as any other shortage of memory for frames.
    if (glGetError() == GL_OUT_OF_MEMORY) {
        glDeleteBuffers(2, pixelBuffers_.data());
        throw std::bad_alloc();
    }
}

FrameReader::~FrameReader()
{
    unmap();
    if (!pixelBuffers_.empty())
        glDeleteBuffers(GLsizei(pixelBuffers_.size()), pixelBuffers_.data());
}

FrameReader::Frame FrameReader::read(int number, std::string& error)
{
    unmap();
    if (pixelBuffers_.empty()) {
        readBoundFramebuffer(width_, height_, plain_.data());
        return {number, plain_.data()};
    }
    int filling = next_;
    next_ = 1 - next_;
    glBindBuffer(GL_PIXEL_PACK_BUFFER, pixelBuffers_[filling]);
    readBoundFramebuffer(width_, height_, nullptr);
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    held_[filling] = number;
    return take(next_, error);
}

FrameReader::Frame FrameReader::rest(std::string& error)
{
    unmap();
    return pixelBuffers_.empty() ? Frame{} : take(1 - next_, error);
}

FrameReader::Frame FrameReader::take(int buffer, std::string& error)
{
    if (held_[buffer] < 0)
        return {};
    Frame frame{held_[buffer], nullptr};
    held_[buffer] = -1;
    glBindBuffer(GL_PIXEL_PACK_BUFFER, pixelBuffers_[buffer]);
    frame.rgb = static_cast<const std::uint8_t*>(glMapBuffer(GL_PIXEL_PACK_BUFFER, GL_READ_ONLY));
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    if (!frame.rgb) {
        char line[120];
        std::snprintf(line, sizeof line, "cannot read frame %d back from the OpenGL driver (error 0x%x)",
                      frame.number, glGetError());
        error = line;
        return {};
    }
    mapped_ = pixelBuffers_[buffer];
    return frame;
}

void FrameReader::unmap()
{
    if (mapped_ == 0)
        return;
    glBindBuffer(GL_PIXEL_PACK_BUFFER, mapped_);
    glUnmapBuffer(GL_PIXEL_PACK_BUFFER);
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    mapped_ = 0;
}
