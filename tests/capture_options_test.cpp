#include "capture/capture_options.h"
#include "capture/png_writer.h"
#include "capture/progress.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string parse(std::vector<std::string> args, CaptureOptions& options)
{
    options = CaptureOptions{};
    return parseCaptureOptions(args, options);
}

TEST(CaptureOptions, AcceptsPicturesAndVideoWithTheirDefaults)
{
    CaptureOptions o;
    ASSERT_EQ(parse({"--frames", "2500,0,701,250,701", "--out", "pics"}, o), "");
    EXPECT_EQ(o.frames, (std::vector<int>{0, 250, 701, 2500}));
    EXPECT_EQ(o.outDir, "pics");
    EXPECT_FALSE(o.wantsVideo());
    EXPECT_EQ(o.lastFrame(), 2500);

    ASSERT_EQ(parse({"--video", "show.mp4"}, o), "");
    EXPECT_EQ(o.fps, 60);
    EXPECT_EQ(o.from, 0);
    EXPECT_EQ(o.to, 4199);
    EXPECT_EQ(o.lastFrame(), 4199);

    ASSERT_EQ(parse({"--video", "v.mp4", "--fps", "30", "--from", "700", "--to", "700", "--frames", "4199"}, o), "");
    EXPECT_EQ(o.fps, 30);
    EXPECT_EQ(o.from, 700);
    EXPECT_EQ(o.to, 700);
    EXPECT_EQ(o.lastFrame(), 4199);

    EXPECT_EQ(o.encoder.crf, 23);
    EXPECT_EQ(o.encoder.preset, "medium");
    EXPECT_EQ(o.encoder.audioPath, "");
    ASSERT_EQ(parse({"--video", "v.mp4", "--crf", "0", "--preset", "ultrafast", "--audio", "-a.ogg"}, o), "");
    EXPECT_EQ(o.encoder.crf, 0);
    EXPECT_EQ(o.encoder.preset, "ultrafast");
    EXPECT_EQ(o.encoder.audioPath, "-a.ogg");
    ASSERT_EQ(parse({"--video", "v.mp4", "--crf", "51", "--preset", "placebo"}, o), "");
    EXPECT_EQ(o.encoder.crf, 51);
    EXPECT_EQ(o.encoder.preset, "placebo");

    ASSERT_EQ(parse({"--frames", "1", "--help"}, o), "");
    EXPECT_TRUE(o.help);
}

TEST(CaptureOptions, RefusesBadInputWithOneLineSayingWhat)
{
    struct {
        std::vector<std::string> args;
        std::string says;
    } cases[] = {
        {{}, "nothing to do"},
        {{"--bogus"}, "unknown option \"--bogus\""},
        {{"frames"}, "unknown option"},
        {{"--frames"}, "--frames needs a value"},
        {{"--frames", "1,a,3"}, "not \"a\""},
        {{"--frames", "1,,3"}, "not \"\""},
        {{"--frames", "2.5"}, "not \"2.5\""},
        {{"--frames", "-5"}, "-5 is before the show's first frame"},
        {{"--frames", "4200"}, "4200 is past the show's last frame, 4199 (frames run from 0 to 4199)"},
        {{"--frames", "99999999999999999999"}, "99999999999999999999 is past the show's last frame, 4199 (frames"},
        {{"--video", "v.mp4", "--fps", "99999999999999999999"}, "--fps expects a whole number from 1 to 240"},
        {{"--video", "v.mp4", "--from", "300", "--to", "200"}, "--from 300 is after --to 200"},
        {{"--video", "v.mp4", "--from", "4200"}, "past the show's last frame"},
        {{"--video", "v.mp4", "--fps", "0"}, "--fps expects a whole number from 1 to 240"},
        {{"--video", "v.mp4", "--fps", "x"}, "--fps expects"},
        {{"--frames", "1", "--fps", "30"}, "apply to --video"},
        {{"--video", "v.mp4", "--out", "dir"}, "--out applies to --frames"},
        {{"--video", ""}, "--video needs a file name"},
        {{"--video", "v.mp4", "--crf", "52"}, "--crf expects a whole number from 0 (best, largest) to 51 (worst, "
                                              "smallest), not \"52\""},
        {{"--video", "v.mp4", "--crf", "-1"}, "--crf expects a whole number from 0"},
        {{"--video", "v.mp4", "--crf", "23.5"}, "not \"23.5\""},
        {{"--video", "v.mp4", "--preset", "fastest"},
         "--preset expects one of ultrafast, superfast, veryfast, faster, fast, medium, slow, slower, veryslow, "
         "placebo; not \"fastest\""},
        {{"--video", "v.mp4", "--preset", "fast,"}, "not \"fast,\""},
        {{"--video", "v.mp4", "--preset", "ast"}, "not \"ast\""},
        {{"--video", "v.mp4", "--preset", ""}, "not \"\""},
        {{"--video", "v.mp4", "--audio", ""}, "--audio needs a file name"},
        {{"--frames", "1", "--crf", "20"}, "--fps, --from, --to, --crf, --preset and --audio apply to --video"},
        {{"--frames", "1", "--audio", "a.wav"}, "apply to --video"},
    };
    for (const auto& c : cases) {
        CaptureOptions o;
        std::string error = parse(c.args, o);
        EXPECT_NE(error.find(c.says), std::string::npos) << "got: " << error;
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

TEST(CaptureOptions, SizeIsTheShowsWindowUnlessGivenAndEvenForAVideo)
{
    CaptureOptions o;
    ASSERT_EQ(parse({"--frames", "1"}, o), "");
    EXPECT_EQ(o.size, (WindowSize{800, 600}));
    ASSERT_EQ(parse({"--video", "v.mp4", "--size", "3840x2160"}, o), "");
    EXPECT_EQ(o.size, (WindowSize{3840, 2160}));
    // Pictures take any size; only the video encoder needs even sides.
    ASSERT_EQ(parse({"--size", "801x1", "--frames", "1"}, o), "");
    EXPECT_EQ(o.size, (WindowSize{801, 1}));

    EXPECT_EQ(parse({"--video", "v.mp4", "--size", "1921x1080"}, o),
              "--size 1921x1080 cannot be a video: the encoder (H.264, yuv420p) needs an even width and height; "
              "try 1920x1080");
    EXPECT_NE(parse({"--size", "1x32767", "--video", "v.mp4"}, o).find("try 2x16384"), std::string::npos);
    // ffmpeg's raw input refuses 16384x16384 and libx264 any side past
    // 16384; pictures of those sizes are fine.
    ASSERT_EQ(parse({"--video", "v.mp4", "--size", "16384x16128"}, o), "");
    EXPECT_EQ(parse({"--video", "v.mp4", "--size", "16384x16384"}, o),
              "--size 16384x16384 is too large for a video: ffmpeg takes pictures of fewer than about 268 million "
              "pixels, and its H.264 encoder at most 16384 pixels a side; try 16384x16128");
    EXPECT_NE(parse({"--video", "v.mp4", "--size", "16386x2"}, o).find("try 16384x2"), std::string::npos);
    ASSERT_EQ(parse({"--frames", "1", "--size", "16384x16384"}, o), "");
    EXPECT_EQ(parse({"--frames", "1", "--size", "1920"}, o),
              "--size expects WIDTHxHEIGHT, each side from 1 to 32767 pixels (e.g. 1920x1080), not \"1920\"");
    EXPECT_NE(parse({"--frames", "1", "--size", "0x0"}, o), "");
}

TEST(CaptureOptions, ASizeBeyondTheDriversLimitsIsRefusedWithTheLargestItCanDraw)
{
    EXPECT_EQ(checkSizeFitsDriver("--size", {16384, 16384}, {16384, 16384}), "");
    EXPECT_EQ(checkSizeFitsDriver("--size", {16385, 10}, {16384, 16384}),
              "--size 16385x10 is larger than this OpenGL driver can draw: at most 16384x16384");
    EXPECT_NE(checkSizeFitsDriver("--size", {10, 8193}, {16384, 8192}), "");
}

TEST(Progress, SaysHowFarHowFastAndHowLongIsLeft)
{
    EXPECT_EQ(progressLine(0, 4200, 0.0), "frames 0/4200 (0.0%)");
    EXPECT_EQ(progressLine(1050, 4200, 2.0), "frames 1050/4200 (25.0%), 525.0 frames/s, 6 s left");
    EXPECT_EQ(progressLine(4200, 4200, 8.0), "frames 4200/4200 (100.0%), 525.0 frames/s, 0 s left");
}

TEST(PngWriter, WritesRgbRowsBottomUpThatLibpngReadsBackTopDown)
{
    const int width = 3, height = 3;
    std::vector<std::uint8_t> rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255,  // bottom row, as GL reads
                                     10, 20, 30, 40, 50, 60, 70, 80, 90,
                                     1, 2, 3, 4, 5, 6, 7, 8, 9};
    std::vector<std::uint8_t> topDown = {1, 2, 3, 4, 5, 6, 7, 8, 9,
                                         10, 20, 30, 40, 50, 60, 70, 80, 90,
                                         255, 0, 0, 0, 255, 0, 0, 0, 255};
    std::string path = ::testing::TempDir() + "starwhirl-png-test.png";
    ASSERT_EQ(writePng(std::fopen(path.c_str(), "wb"), path, width, height, rgb.data()), "");

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << image.message;
    EXPECT_EQ(image.width, 3u);
    EXPECT_EQ(image.height, 3u);
    EXPECT_EQ(image.format & PNG_FORMAT_FLAG_COLOR, PNG_FORMAT_FLAG_COLOR);
    EXPECT_EQ(image.format & PNG_FORMAT_FLAG_ALPHA, 0u);
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> back(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, back.data(), 0, nullptr)) << image.message;
    EXPECT_EQ(back, topDown);
    std::remove(path.c_str());
}

TEST(PngWriter, AFullDiskIsSaidInTheSystemsWordsWithTheFileName)
{
    // Big enough that the write fails while libpng writes, not only at close.
    const int width = 800, height = 600;
    std::vector<std::uint8_t> rgb(std::size_t(width) * height * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = std::uint8_t(i * 7919 >> 3);
    EXPECT_EQ(writePng(std::fopen("/dev/full", "wb"), "pics/frame-0001.png", width, height, rgb.data()),
              "cannot write pics/frame-0001.png: No space left on device");
}

}  // namespace
