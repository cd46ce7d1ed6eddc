#include "app/show.h"
#include "app/window.h"
#include "capture/capture.h"
#include "capture/capture_options.h"
#include "capture/complaint.h"
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

int printText(const std::string& text)
{
    if (std::fputs(text.c_str(), stdout) < 0 || std::fflush(stdout) != 0)
        return complain(std::string("cannot write to standard output: ") + std::strerror(errno), 1);
    return 0;
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
    CaptureOptions options;
    std::string error = parseCaptureOptions(std::vector<std::string>(argv + 1, argv + argc), options);
    if (!error.empty())
        return complain(error, 2);
    // Before the closed streams are reopened on the null device, where the
    // text would vanish with no error.
    if (options.help)
        return printText(captureUsage);
    if (options.version)
        return printText(std::string("starwhirl-capture ") + STARWHIRL_VERSION + "\n");
    platform::reopenClosedStandardStreams();
    catchInterruptions();
    MadeFolder madeFolder;
    if (options.wantsPictures()) {
        if (mkdir(options.outDir.c_str(), 0777) == 0)
            madeFolder.path = options.outDir;
        else if (errno != EEXIST && errno != ENOTDIR)
            return complain("cannot create folder " + options.outDir + ": " + std::strerror(errno), 2);
        if (!(error = checkFolder(options.outDir)).empty())
            return complain(error, 2);
        for (int frame : options.frames)
            if (!(error = checkReplaceable(followLinks(pictureName(options.outDir, frame)))).empty())
                return complain(error, 2);
    }
    if (options.wantsVideo()) {
        VideoProblem problem = VideoEncoder::checkTarget(options.videoPath);
        if (problem.kind == VideoProblem::Kind::interrupted) {
            complain("interrupted before the first frame; nothing was written", 0);
            madeFolder.removeIfEmpty();
            endAsInterrupted(interruption());
        }
        if (problem)
            return complain(problem.message, problem.kind == VideoProblem::Kind::unusableTarget ? 2 : 1);
    }

    std::unique_ptr<PrivateDisplay> privateDisplay;
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        std::fprintf(stderr, "No X display found: rendering on a private virtual X server (Xvfb).\n");
        std::string serverSaid;
        privateDisplay = PrivateDisplay::start(error, serverSaid);
        if (!privateDisplay) {
            std::fputs(serverSaid.c_str(), stderr);
            return complain(error, 1);
        }
    }

    WindowRequest window;
    window.title = "starwhirl-capture";
    window.glutArguments = {argv[0]};
    if (auto failure = openWindow(window)) {
        std::fprintf(stderr, "%s\n", failure->line(argv[0]).c_str());
        if (failure->noDisplay && !privateDisplay)
            complain("set DISPLAY to a working X display, or unset it to render on a private virtual X server "
                   "(Xvfb)",
                     1);
        return 1;
    }
    watchDisplayErrors();
    // Frames are drawn only by the capture loop: a redraw of the hidden
    // window must not advance the show's scroller.
    glutDisplayFunc([] {});
    glutHideWindow();
    glutMainLoopEvent();

    int status = 0;
    if (interruption()) {
        // ended below, by the signal
    } else if (!(error = OffscreenFrame::unavailable()).empty()) {
        status = complain(error, 1);
    } else if (!(error = checkSizeFitsDriver(options.size, OffscreenFrame::largest())).empty()) {
        status = complain(error, 2);
    } else if (std::unique_ptr<Show> show = Show::create(platform::FontContext::screen(), error)) {
        status = interruption() ? 0 : runCapture(*show, options);
    } else {
        status = complain(error, 1);
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
