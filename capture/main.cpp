#include "app/show.h"
#include "capture/capture.h"
#include "capture/capture_options.h"
#include "platform/font_system.h"

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
    CaptureOptions options;
    std::string error = parseCaptureOptions(std::vector<std::string>(argv + 1, argv + argc), options);
    if (!error.empty())
        return refuse(error);
    if (options.help) {
        std::fputs(captureUsage, stdout);
        return 0;
    }
    if (options.wantsPictures() && !(error = checkWritableFolder(options.outDir, true)).empty())
        return refuse(error);
    if (options.wantsVideo() && !(error = checkWritableFolder(folderOf(options.videoPath), false)).empty())
        return refuse(error);

    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        std::fprintf(stderr, "No X display found: rendering on a private virtual X server (Xvfb).\n");
        char self[4096];
        ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
        if (length <= 0)
            return refuse("no X display, and this program cannot find itself to restart under xvfb-run", 1);
        self[length] = '\0';
        std::vector<char*> args = {const_cast<char*>("xvfb-run"), const_cast<char*>("-a"),
                                   const_cast<char*>("-s"), const_cast<char*>("-screen 0 1280x1024x24"), self};
        args.insert(args.end(), argv + 1, argv + argc);
        args.push_back(nullptr);
        execvp("xvfb-run", args.data());
        return refuse("no X display, and xvfb-run cannot be started: " + std::string(std::strerror(errno)), 1);
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

    Show show(platform::FontContext::screen());
    return runCapture(show, options);
}
