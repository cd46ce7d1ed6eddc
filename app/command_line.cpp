#include "app/command_line.h"

#include "app/option_loop.h"

#include <algorithm>
#include <cstddef>
#include <utility>

const char showUsage[] =
    "Usage: starwhirl [--fullscreen | --window WxH] [GLUT options]\n"
    "       starwhirl --help | --version\n"
    "\n"
    "Plays a self-running 3D show of 4200 frames in one window, then ends by itself.\n"
    "Standard output gets the frame counter, one line per frame.\n"
    "\n"
    "  --fullscreen        fill the screen instead of opening an 800 x 600 window\n"
    "  --window WxH        open the window W x H pixels large, each side from 1 to 32767\n"
    "                      and no larger than the OpenGL driver draws (16384 with Mesa's\n"
    "                      software renderer), e.g. --window 1280x720 (default: 800x600)\n"
    "  --help              show this text\n"
    "  --version           show the version\n"
    "\n"
    "GLUT's own options:\n"
    "  -display DISPLAY    the X display to open the window on (default: $DISPLAY)\n"
    "  -geometry WxH+X+Y   the window's size and place, e.g. -geometry 640x480+0+0\n"
    "                      (default: 800x600+200+100)\n"
    "  -iconic             start minimised; the show waits until the window is shown\n"
    "  -direct, -indirect  insist on a direct or an indirect OpenGL context\n"
    "  -gldebug            report OpenGL errors on standard error after every frame\n"
    "  -sync               make X calls synchronously, for debugging\n"
    "\n"
    "Keys: Escape ends the show at once; every other key is ignored.\n"
    "\n"
    "Exit status:\n"
    "  0    the show ended at frame 4200, with Escape, or because its window was closed\n"
    "       (a window manager's close button)\n"
    "  1    the frame counter could not be written to standard output, the font could\n"
    "       not be found or used, there is no X display, or too little memory for\n"
    "       OpenGL (ulimit -v below about 400 MiB)\n"
    "  2    an unknown option or a bad value, or a window larger than the OpenGL driver\n"
    "       draws; nothing was shown\n"
    "  141  the reader of standard output went away (SIGPIPE)\n"
    "\n"
    "Environment:\n"
    "  STARWHIRL_KEEP_FRAME=1  in scenes 2 to 4 every frame is presented twice; keep a\n"
    "                          copy of it for the second time on any driver, for one that\n"
    "                          is misjudged (the picture jumps back a frame every other\n"
    "                          refresh); 0 or unset lets the driver decide\n";

namespace {

const std::string seeHelp = " (see starwhirl --help)";

bool isGlutFlag(const std::string& arg)
{
    return arg == "-iconic" || arg == "-direct" || arg == "-indirect" || arg == "-gldebug" || arg == "-sync";
}

bool isGlutOptionWithValue(const std::string& arg)
{
    return arg == "-display" || arg == "-geometry";
}

}  // namespace

std::string parseShowOptions(const std::vector<std::string>& args, ShowOptions& options)
{
    options.glutArguments.assign(args.begin(), args.begin() + std::min<std::size_t>(args.size(), 1));
    bool windowGiven = false, geometryGivesSize = false, direct = false, indirect = false;
    // Each -geometry, and where its value is in glutArguments.
    std::vector<std::pair<std::size_t, Geometry>> geometries;
    OptionReader reader;
    reader.seeHelp = seeHelp;
    reader.notAnOption = "the show takes options only";
    reader.kindOf = [](const std::string& arg) {
        if (arg == "--fullscreen" || isGlutFlag(arg))
            return OptionKind::flag;
        if (arg == "--window" || isGlutOptionWithValue(arg))
            return OptionKind::takesValue;
        return OptionKind::unknown;
    };
    reader.take = [&](const std::string& arg, const std::string& value) -> std::string {
        if (arg == "--fullscreen") {
            options.fullscreen = true;
            return {};
        }
        if (arg == "--window") {
            windowGiven = true;
            options.windowOption = arg;
            return parseWindowSize(arg, value, options.window);
        }
        direct |= arg == "-direct";
        indirect |= arg == "-indirect";
        options.glutArguments.push_back(arg);
        if (isGlutFlag(arg))
            return {};
        options.glutArguments.push_back(value);
        if (arg != "-geometry")
            return {};
        Geometry geometry;
        std::string error = parseGeometry(arg, value, geometry);
        geometryGivesSize |= geometry.size.width > 0 || geometry.size.height > 0;
        geometries.emplace_back(options.glutArguments.size() - 1, geometry);
        return error;
    };
    std::string error = readOptions(args, 1, reader, options.help, options.version);
    if (!error.empty() || options.help || options.version)
        return error;

    if (options.fullscreen && windowGiven)
        return "--fullscreen and --window both say how large the window is; give one" + seeHelp;
    if (windowGiven && geometryGivesSize)
        return "--window and -geometry both say how large the window is; give one" + seeHelp;
    if (direct && indirect)
        return "-direct and -indirect ask for opposite OpenGL contexts; give one" + seeHelp;
    // freeglut uses the last -geometry; each is made whole, so the last one's
    // size is the window's.
    for (const auto& [at, geometry] : geometries) {
        if (geometry.size.width > 0 || geometry.size.height > 0)
            options.windowOption = "-geometry";
        if (geometry.size.width > 0)
            options.window.width = geometry.size.width;
        if (geometry.size.height > 0)
            options.window.height = geometry.size.height;
        options.glutArguments[at] = toString(options.window) + geometry.place;
    }
    return {};
}
