#include "app/show.h"
#include "capture/capture.h"
#include "capture/capture_options.h"
#include "capture/interruption.h"
#include "capture/private_display.h"
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

// An empty string when files can be created in `dir`, else why not.
std::string checkWritableFolder(const std::string& dir, bool create)
{
    struct stat info;
    if (stat(dir.c_str(), &info) != 0) {
        if (!create || mkdir(dir.c_str(), 0777) != 0)
            return "cannot use folder " + dir + ": " + std::strerror(errno);
    } else if (!S_ISDIR(info.st_mode)) {
        return dir + " is not a folder";
    }
    if (access(dir.c_str(), W_OK | X_OK) != 0)
        return "cannot write in folder " + dir + ": " + std::strerror(errno);
    return {};
}

std::string folderOf(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

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
        std::printf("starwhirl-capture %s\n", STARWHIRL_VERSION);
        return 0;
    }
    if (options.wantsPictures() && !(error = checkWritableFolder(options.outDir, true)).empty())
        return refuse(error);
    if (options.wantsVideo()) {
        if (!(error = checkWritableFolder(folderOf(options.videoPath), false)).empty())
            return refuse(error);
        if (!(error = VideoEncoder::checkTarget(options.videoPath)).empty())
            return refuse(error, error.find("not installed") != std::string::npos ? 1 : 2);
    }

    std::unique_ptr<PrivateDisplay> privateDisplay;
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        std::fprintf(stderr, "No X display found: rendering on a private virtual X server (Xvfb).\n");
        privateDisplay = PrivateDisplay::start(error);
        if (!privateDisplay)
            return refuse(error, 1);
    }

    int glutArgc = 1;
    glutInit(&glutArgc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(800, 600);
    glutCreateWindow("starwhirl-capture");
    // Frames are drawn only by the capture loop: a redraw of the hidden
    // window must not advance the show's scroller.
    glutDisplayFunc([] {});
    glutHideWindow();
    glutMainLoopEvent();

    int status = 0;
    {
        std::unique_ptr<Show> show = Show::create(platform::FontContext::screen(), error);
        if (!show)
            return refuse(error, 1);
        status = runCapture(*show, options);
    }
    // GLUT lets go of the X server before the server goes.
    glutExit();
    privateDisplay.reset();
    if (interruption())
        endAsInterrupted(interruption());
    return status;
}
