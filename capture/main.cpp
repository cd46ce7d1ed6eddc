#include "app/copyright.h"
#include "app/show.h"
#include "app/window.h"
#include "capture/capture.h"
#include "capture/capture_options.h"
#include "capture/display_errors.h"
#include "capture/interruption.h"
#include "capture/offscreen_frame.h"
#include "capture/private_display.h"
#include "capture/temporary_file.h"
#include "capture/video_encoder.h"
#include "platform/font_system.h"
#include "platform/standard_streams.h"

#include <GL/freeglut.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

int refuse(const std::string& message, int status = 2)
{
    std::fprintf(stderr, "starwhirl-capture: %s\n", message.c_str());
    return status;
}

// A folder made for the pictures goes again when the capture ends before
// writing into it; rmdir takes only an empty folder.
struct MadeFolder {
    std::string path;  // empty when none was made
    ~MadeFolder() { removeIfEmpty(); }
    void removeIfEmpty()
    {
        if (!path.empty())
            rmdir(path.c_str());
    }
};

}  // namespace

int main(int argc, char** argv)
{
    platform::reopenClosedStandardStreams();
    catchInterruptions();
    CaptureOptions options;
    std::string error = parseCaptureOptions(std::vector<std::string>(argv + 1, argv + argc), options);
    if (!error.empty())
        return refuse(error);
    if (options.help) {
        std::fputs(captureUsage, stdout);
        return 0;
    }
    if (options.version) {
        std::printf("starwhirl-capture %s\n%s", STARWHIRL_VERSION, copyrightNotice);
        return 0;
    }
    MadeFolder madeFolder;
    if (options.wantsPictures()) {
        if (mkdir(options.outDir.c_str(), 0777) == 0)
            madeFolder.path = options.outDir;
        else if (errno != EEXIST && errno != ENOTDIR)
            return refuse("cannot create folder " + options.outDir + ": " + std::strerror(errno));
        if (!(error = checkFolder(options.outDir)).empty())
            return refuse(error);
    }
    if (options.wantsVideo() && !(error = VideoEncoder::checkTarget(options.videoPath)).empty())
        return refuse(error, error.find("not installed") != std::string::npos ? 1 : 2);

    std::unique_ptr<PrivateDisplay> privateDisplay;
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        std::fprintf(stderr, "No X display found: rendering on a private virtual X server (Xvfb).\n");
        privateDisplay = PrivateDisplay::start(error);
        if (!privateDisplay)
            return refuse(error, 1);
    }

    WindowRequest window;
    window.title = "starwhirl-capture";
    window.glutArguments = {argv[0]};
    if (auto failure = openWindow(window)) {
        std::fprintf(stderr, "%s\n", failure->line(argv[0]).c_str());
        if (failure->noDisplay && !privateDisplay)
            refuse("set DISPLAY to a working X display, or unset it to render on a private virtual X server "
                   "(Xvfb)");
        return 1;
    }
    watchDisplayErrors();
    // Frames are drawn only by the capture loop: a redraw of the hidden
    // window must not advance the show's scroller.
    glutDisplayFunc([] {});
    glutHideWindow();
    glutMainLoopEvent();

    int status = 0;
    if (!(error = OffscreenFrame::unavailable()).empty()) {
        status = refuse(error, 1);
    } else if (!(error = checkSizeFitsDriver(options.size, OffscreenFrame::largest())).empty()) {
        status = refuse(error);
    } else if (std::unique_ptr<Show> show = Show::create(platform::FontContext::screen(), error)) {
        status = runCapture(*show, options);
    } else {
        status = refuse(error, 1);
    }
    // GLUT lets go of the X server before the server goes.
    glutExit();
    privateDisplay.reset();
    if (interruption()) {
        madeFolder.removeIfEmpty();
        endAsInterrupted(interruption());
    }
    return status;
}
