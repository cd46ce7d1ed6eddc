#include "app/copyright.h"
#include "app/show.h"
#include "app/startup.h"
#include "app/window.h"
#include "capture/audio_check.h"
#include "capture/capture.h"
#include "capture/capture_options.h"
#include "capture/complaint.h"
#include "capture/display_errors.h"
#include "capture/interruption.h"
#include "capture/offscreen_frame.h"
#include "capture/private_display.h"
#include "capture/temporary_file.h"
#include "capture/video_encoder.h"
#include "platform/standard_streams.h"

#include <GL/freeglut.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
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
        return printText(std::string("starwhirl-capture ") + STARWHIRL_VERSION + "\n" + copyrightNotice);
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
    if (!options.encoder.audioPath.empty() && !(error = checkAudio(options.encoder.audioPath)).empty())
        return complain(error, error.find("not installed") != std::string::npos ? 1 : 2);

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

    // The driver is asked what it can draw as soon as the window is open,
    // before the font is made; a refusal then ends the start-up.
    std::optional<WindowFailure> failure;
    int refusal = 1;
    StartupActions startup;
    startup.openWindow = [&]() -> std::string {
        WindowRequest window;
        window.title = "starwhirl-capture";
        window.glutArguments = {argv[0]};
        if ((failure = openWindow(window)))
            return failure->line(argv[0]);
        watchDisplayErrors();
        // Frames are drawn only by the capture loop: a redraw of the hidden
        // window must not advance the show's scroller.
        glutDisplayFunc([] {});
        glutHideWindow();
        glutMainLoopEvent();
        if (interruption())
            return "stopped by a signal";
        std::string unfit = OffscreenFrame::unavailable();
        if (unfit.empty() && !(unfit = checkSizeFitsDriver("--size", options.size, largestDrawable())).empty())
            refusal = 2;
        return unfit;
    };
    std::unique_ptr<Show> show = startShow(startup, error);
    if (failure) {
        std::fprintf(stderr, "%s\n", error.c_str());
        if (failure->noDisplay && !privateDisplay)
            complain("set DISPLAY to a working X display, or unset it to render on a private virtual X server "
                     "(Xvfb)",
                     1);
        return 1;
    }

    int status = 0;
    if (interruption()) {
        // ended below, by the signal
    } else if (show) {
        status = runCapture(*show, options);
    } else {
        status = complain(error, refusal);
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
