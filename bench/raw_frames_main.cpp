// Writes the show's frames 0 to LAST, drawn at WxH, into FILE exactly as the
// capture hands them to ffmpeg (RGB, rows bottom-up), so that the capture
// bench can time ffmpeg encoding the same frames alone.
//
//   starwhirl-raw-frames WxH LAST FILE   (on an X server)
#include "app/show.h"
#include "app/window.h"
#include "capture/capture.h"
#include "capture/frame_reader.h"
#include "capture/offscreen_frame.h"
#include "platform/font_system.h"

#include <GL/freeglut.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int fail(const std::string& message)
{
    std::fprintf(stderr, "starwhirl-raw-frames: %s\n", message.c_str());
    return 1;
}

bool writeAll(int fd, const std::uint8_t* bytes, std::size_t size)
{
    while (size > 0) {
        ssize_t n = write(fd, bytes, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes += n;
        size -= std::size_t(n);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    WindowSize size;
    std::string error;
    if (argc != 4 || !(error = parseWindowSize("WxH", argv[1], size)).empty() || std::atoi(argv[2]) < 0)
        return fail(error.empty() ? "usage: starwhirl-raw-frames WxH LAST FILE" : error);
    const int last = std::atoi(argv[2]);
    WindowRequest window;
    window.title = "starwhirl-raw-frames";
    window.glutArguments = {argv[0]};
    if (auto failure = openWindow(window))
        return fail(failure->line(argv[0]));
    glutDisplayFunc([] {});
    glutHideWindow();
    std::unique_ptr<Show> show = Show::create(platform::FontContext::screen(), error);
    if (!show)
        return fail(error);
    int fd = open(argv[3], O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return fail(std::string("cannot write ") + argv[3] + ": " + std::strerror(errno));
    const std::size_t frameBytes = std::size_t(size.width) * std::size_t(size.height) * 3;
    FrameReader reader(size.width, size.height);
    auto deliver = [&](FrameReader::Frame ready) {
        if (ready.rgb && !writeAll(fd, ready.rgb, frameBytes))
            error = std::string("cannot write ") + argv[3] + ": " + std::strerror(errno);
        return error.empty();
    };
    renderShow(*show, size, last, [&](int frame, const OffscreenFrame&) { return deliver(reader.read(frame, error)); },
               error);
    if (error.empty())
        deliver(reader.rest(error));
    if (close(fd) != 0 && error.empty())
        error = std::string("cannot write ") + argv[3] + ": " + std::strerror(errno);
    return error.empty() ? 0 : fail(error);
}
