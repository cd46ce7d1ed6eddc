#include "capture/capture_options.h"

#include "app/decimal_number.h"
#include "app/option_loop.h"
#include "app/timeline.h"

#include <algorithm>
#include <climits>

const char captureUsage[] =
    "Usage: starwhirl-capture [--frames LIST [--out DIR]] [--video FILE [--fps N] [--from F] [--to G]\n"
    "                         [--crf N] [--preset NAME] [--audio FILE]] [--size WxH]\n"
    "\n"
    "Renders the show's own frames offscreen, always starting from frame 0 so that every frame\n"
    "is exactly what the show draws in a window of that size, and writes the ones asked for.\n"
    "\n"
    "  --frames LIST  comma-separated frame numbers (0 to 4199) to write as PNG pictures,\n"
    "                 e.g. --frames 0,250,701,2500,3500\n"
    "  --out DIR      folder for the pictures, created if missing (default: the current folder);\n"
    "                 each is named frame-NNNN.png\n"
    "  --video FILE   encode frames into FILE as H.264 (yuv420p) with the ffmpeg program; the\n"
    "                 container follows FILE's extension (MP4 without one); - is standard output\n"
    "  --fps N        frames per second of the video, 1 to 240 (default: 60)\n"
    "  --from F       first frame of the video (default: 0)\n"
    "  --to G         last frame of the video (default: 4199)\n"
    "  --crf N        the video's quality, 0 (best, largest) to 51 (worst, smallest) (default: 23);\n"
    "                 each 6 more roughly halves the file\n"
    "  --preset NAME  how long x264 works on each frame: ultrafast, superfast, veryfast, faster,\n"
    "                 fast, medium, slow, slower, veryslow or placebo (default: medium); a faster\n"
    "                 preset makes a larger file at the same --crf\n"
    "  --audio FILE   a soundtrack under the video: any audio file ffmpeg reads, encoded as AAC,\n"
    "                 cut to the video's length or padded with silence\n"
    "  --size WxH     the frames' size in pixels (default: 800x600), e.g. --size 1920x1080 or\n"
    "                 --size 3840x2160; at most what the OpenGL driver can draw, and even\n"
    "                 numbers for a video\n"
    "  --help         show this text\n"
    "  --version      show the version\n"
    "\n"
    "Files are written under a temporary name and renamed when complete, a video only once\n"
    "ffprobe finds all its frames in it; other hard links keep the old file. Without an X\n"
    "display the frames are rendered on a private virtual X server (Xvfb).\n";

namespace {

// Numbers too long to hold come out above every range the options allow.
constexpr long largestNumber = 999999999;

std::string parseFrame(const std::string& option, const std::string& text, int& frame)
{
    long value = 0;
    if (text.size() > 1 && text[0] == '-' && parseDecimal(text.substr(1), largestNumber, value))
        return option + " " + text + " is before the show's first frame, 0";
    if (!parseDecimal(text, largestNumber, value))
        return option + " expects a frame number, not \"" + text + "\"";
    if (value >= endFrame)
        return option + " " + text + " is past the show's last frame, " + std::to_string(endFrame - 1) +
               " (frames run from 0 to " + std::to_string(endFrame - 1) + ")";
    frame = int(value);
    return {};
}

std::string parseFrameList(const std::string& text, std::vector<int>& frames)
{
    if (text.empty())
        return "--frames expects a comma-separated list of frame numbers";
    std::size_t start = 0;
    while (true) {
        std::size_t comma = text.find(',', start);
        std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        int frame = 0;
        std::string error = parseFrame("--frames", item, frame);
        if (!error.empty())
            return error;
        frames.push_back(frame);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    std::sort(frames.begin(), frames.end());
    frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
    return {};
}

// The largest pictures a video can hold: libx264 takes at most 16384 pixels
// a side, and ffmpeg's raw video input a picture whose sides, each with a
// 128-pixel margin, hold fewer than INT_MAX / 8 pixels.
constexpr int encoderSide = 16384;
bool ffmpegTakes(long long width, long long height)
{
    return 8 * (width + 128) * (height + 128) < INT_MAX;
}

// The size nearest `size`, as wide as can be, that a video can have: even
// sides (yuv420p keeps one colour sample for every 2 x 2 pixels) within
// what ffmpeg and its H.264 encoder take.
WindowSize videoSizeNear(const WindowSize& size)
{
    auto even = [](int side) { return side % 2 == 0 ? side : side > 1 ? side - 1 : 2; };
    WindowSize fits = {std::min(even(size.width), encoderSide), std::min(even(size.height), encoderSide)};
    while (!ffmpegTakes(fits.width, fits.height))
        fits.height -= 2;
    return fits;
}

}  // namespace

int CaptureOptions::lastFrame() const
{
    int last = -1;
    if (wantsPictures())
        last = frames.back();
    if (wantsVideo())
        last = std::max(last, to);
    return last;
}

std::string parseCaptureOptions(const std::vector<std::string>& args, CaptureOptions& options)
{
    bool outGiven = false, fpsGiven = false, fromGiven = false, toGiven = false, encodingGiven = false;
    OptionReader reader;
    reader.seeHelp = " (see --help)";
    reader.kindOf = [](const std::string& option) {
        bool takesValue = option == "--frames" || option == "--out" || option == "--video" ||
                          option == "--fps" || option == "--from" || option == "--to" || option == "--size" ||
                          option == "--crf" || option == "--preset" || option == "--audio";
        return takesValue ? OptionKind::takesValue : OptionKind::unknown;
    };
    reader.take = [&](const std::string& option, const std::string& value) -> std::string {
        if (option == "--frames")
            return parseFrameList(value, options.frames);
        if (option == "--out") {
            options.outDir = value;
            outGiven = true;
            return value.empty() ? "--out needs a folder name" : "";
        }
        if (option == "--video") {
            options.videoPath = value;
            return value.empty() ? "--video needs a file name" : "";
        }
        if (option == "--fps") {
            long fps = 0;
            fpsGiven = true;
            if (!parseDecimal(value, largestNumber, fps) || fps < 1 || fps > 240)
                return "--fps expects a whole number from 1 to 240, not \"" + value + "\"";
            options.fps = int(fps);
            return {};
        }
        if (option == "--crf") {
            long crf = 0;
            encodingGiven = true;
            if (!parseDecimal(value, largestNumber, crf) || crf > 51)
                return "--crf expects a whole number from 0 (best, largest) to 51 (worst, smallest), not \"" +
                       value + "\"";
            options.encoder.crf = int(crf);
            return {};
        }
        if (option == "--preset") {
            encodingGiven = true;
            options.encoder.preset = value;
            if (!isX264Preset(value))
                return "--preset expects one of " + std::string(x264Presets) + "; not \"" + value + "\"";
            return {};
        }
        if (option == "--audio") {
            encodingGiven = true;
            options.encoder.audioPath = value;
            return value.empty() ? "--audio needs a file name" : "";
        }
        if (option == "--size")
            return parseWindowSize(option, value, options.size);
        if (option == "--from") {
            fromGiven = true;
            return parseFrame(option, value, options.from);
        }
        toGiven = true;
        return parseFrame(option, value, options.to);
    };
    std::string error = readOptions(args, 0, reader, options.help, options.version);
    if (!error.empty() || options.help || options.version)
        return error;

    if (!options.wantsPictures() && !options.wantsVideo())
        return "nothing to do: give --frames LIST or --video FILE (see --help)";
    if (outGiven && !options.wantsPictures())
        return "--out applies to --frames, which was not given";
    if ((fpsGiven || fromGiven || toGiven || encodingGiven) && !options.wantsVideo())
        return "--fps, --from, --to, --crf, --preset and --audio apply to --video, which was not given";
    if (!toGiven)
        options.to = endFrame - 1;
    if (options.from > options.to)
        return "--from " + std::to_string(options.from) + " is after --to " + std::to_string(options.to);
    const WindowSize& size = options.size;
    WindowSize near = videoSizeNear(size);
    if (!options.wantsVideo() || near == size)
        return {};
    if (size.width % 2 != 0 || size.height % 2 != 0)
        return "--size " + toString(size) + " cannot be a video: the encoder (H.264, yuv420p) needs an even " +
               "width and height; try " + toString(near);
    return "--size " + toString(size) + " is too large for a video: ffmpeg takes pictures of fewer than about 268 " +
           "million pixels, and its H.264 encoder at most " + std::to_string(encoderSide) + " pixels a side; try " +
           toString(near);
}
