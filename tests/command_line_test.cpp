#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

std::string parse(Args args, ShowOptions& options)
{
    options = ShowOptions{};
    args.insert(args.begin(), "starwhirl");
    return parseShowOptions(args, options);
}

TEST(ShowOptions, NoOptionsMeanTheShowsOwnWindowAndNothingForGlut)
{
    ShowOptions o;
    ASSERT_EQ(parse({}, o), "");
    EXPECT_FALSE(o.help || o.version || o.fullscreen);
    EXPECT_EQ(o.window, (WindowSize{800, 600}));
    EXPECT_EQ(o.glutArguments, (Args{"starwhirl"}));
}

TEST(ShowOptions, GlutsOwnOptionsPassThroughInTheirOrderAndOursDoNot)
{
    ShowOptions o;
    ASSERT_EQ(parse({"-iconic", "--fullscreen", "-display", ":3", "-sync", "-gldebug", "-indirect"}, o), "");
    EXPECT_TRUE(o.fullscreen);
    EXPECT_EQ(o.glutArguments, (Args{"starwhirl", "-iconic", "-display", ":3", "-sync", "-gldebug", "-indirect"}));

    // A value is GLUT's to read, even one that looks like an option.
    ASSERT_EQ(parse({"-display", "--help"}, o), "");
    EXPECT_FALSE(o.help);
    EXPECT_EQ(o.glutArguments, (Args{"starwhirl", "-display", "--help"}));

    ASSERT_EQ(parse({"--window", "1024X768"}, o), "");
    EXPECT_EQ(o.window, (WindowSize{1024, 768}));
    EXPECT_EQ(o.glutArguments, (Args{"starwhirl"}));
}

// freeglut takes a side that -geometry leaves out from uninitialised memory,
// so GLUT gets it whole: the size from the window, the place as given.
TEST(ShowOptions, GeometryThatLeavesASideOutGetsItFromTheWindow)
{
    struct {
        Args args;
        std::string geometry;
        WindowSize window;
    } cases[] = {
        {{"-geometry", "640x480+0+0"}, "640x480+0+0", {640, 480}},
        {{"-geometry", "+10+20"}, "800x600+10+20", {800, 600}},
        {{"-geometry", "=320"}, "320x600", {320, 600}},
        {{"-geometry", "x200-0-0"}, "800x200-0-0", {800, 200}},
        {{"-geometry", "-5"}, "800x600-5", {800, 600}},
        {{"-geometry", "+5+5", "--window", "1024x768"}, "1024x768+5+5", {1024, 768}},
    };
    for (const auto& c : cases) {
        ShowOptions o;
        ASSERT_EQ(parse(c.args, o), "") << c.args[1];
        ASSERT_EQ(o.glutArguments.size(), 3u);
        EXPECT_EQ(o.glutArguments[2], c.geometry) << c.args[1];
        EXPECT_EQ(o.window, c.window) << c.args[1];
    }
}

TEST(ShowOptions, HelpAndVersionWinOverWhatFollows)
{
    ShowOptions o;
    ASSERT_EQ(parse({"--fullscreen", "--help", "--bogus"}, o), "");
    EXPECT_TRUE(o.help);
    ASSERT_EQ(parse({"-h"}, o), "");
    EXPECT_TRUE(o.help);
    ASSERT_EQ(parse({"--version", "extra"}, o), "");
    EXPECT_TRUE(o.version);
    EXPECT_NE(parse({"--bogus", "--help"}, o), "");
}

TEST(ShowOptions, RefusesWithOneLineSayingWhatAndWhatWouldWork)
{
    const std::string range = "each side from 1 to 32767 pixels";
    struct {
        Args args;
        std::string says;
    } cases[] = {
        {{"--bogus"}, "unknown option \"--bogus\" (see starwhirl --help)"},
        {{"-geometryx"}, "unknown option \"-geometryx\" (see starwhirl --help)"},
        {{"play"}, "unexpected argument \"play\": the show takes options only (see starwhirl --help)"},
        {{""}, "unexpected argument \"\""},
        {{"--window"}, "--window needs a value (see starwhirl --help)"},
        {{"-display"}, "-display needs a value"},
        {{"-geometry"}, "-geometry needs a value"},
        {{"--window", "0x600"}, "--window expects WIDTHxHEIGHT, " + range + " (e.g. 1920x1080), not \"0x600\""},
        {{"--window", "32768x10"}, "not \"32768x10\""},
        {{"--window", "99999999999999999999x1"}, "not \"99999999999999999999x1\""},
        {{"--window", "800"}, "not \"800\""},
        {{"--window", "800x"}, "not \"800x\""},
        {{"--window", "800x600x2"}, "not \"800x600x2\""},
        {{"--window", "+800x600"}, "not \"+800x600\""},
        {{"--window", " 800x600"}, "not \" 800x600\""},
        {{"-geometry", ""}, "-geometry expects [WIDTHxHEIGHT][{+-}X{+-}Y], " + range + " (e.g. 640x480+0+0), not \"\""},
        {{"-geometry", "="}, "not \"=\""},
        {{"-geometry", "0x0"}, "not \"0x0\""},
        {{"-geometry", "640x-480"}, "not \"640x-480\""},
        {{"-geometry", "X480"}, "not \"X480\""},
        {{"-geometry", "+1+2+3"}, "not \"+1+2+3\""},
        {{"-geometry", "+-5"}, "not \"+-5\""},
        {{"-geometry", "640x480+"}, "not \"640x480+\""},
        {{"--fullscreen", "--window", "640x480"}, "--fullscreen and --window both say how large the window is"},
        {{"--window", "640x480", "-geometry", "320+0+0"}, "--window and -geometry both say how large the window is"},
        {{"-direct", "-indirect"}, "-direct and -indirect ask for opposite OpenGL contexts"},
    };
    for (const auto& c : cases) {
        ShowOptions o;
        std::string error = parse(c.args, o);
        EXPECT_NE(error.find(c.says), std::string::npos) << "got: " << error;
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

TEST(ShowOptions, AcceptsEverySizeFromOnePixelToTheLargestWindowSide)
{
    ShowOptions o;
    ASSERT_EQ(parse({"--window", "1x32767"}, o), "");
    EXPECT_EQ(o.window, (WindowSize{1, 32767}));
    ASSERT_EQ(parse({"--window", "0032767x0001"}, o), "");
    EXPECT_EQ(o.window, (WindowSize{32767, 1}));
    ASSERT_EQ(parse({"-geometry", "32767x1-99999+0"}, o), "");
    EXPECT_EQ(o.window, (WindowSize{32767, 1}));
}

// The driver's limit is known only once the window's context is; the
// refusal then names the option the size came from.
TEST(ShowOptions, SaysWhichOptionGaveTheSizeAndWhetherItFitsTheDriver)
{
    ShowOptions o;
    ASSERT_EQ(parse({"--window", "32767x32767"}, o), "");
    EXPECT_EQ(checkSizeFitsDriver(o.windowOption, o.window, {16384, 16384}),
              "--window 32767x32767 is larger than this OpenGL driver can draw: at most 16384x16384");
    ShowOptions g;
    ASSERT_EQ(parse({"-geometry", "+5+5", "-geometry", "x20000"}, g), "");
    EXPECT_EQ(checkSizeFitsDriver(g.windowOption, g.window, {16384, 8192}),
              "-geometry 800x20000 is larger than this OpenGL driver can draw: at most 16384x8192");
    EXPECT_EQ(checkSizeFitsDriver(g.windowOption, {16384, 8192}, {16384, 8192}), "");
    ShowOptions place;
    ASSERT_EQ(parse({"-geometry", "+5+5"}, place), "");
    EXPECT_EQ(place.windowOption, "");
}

}  // namespace
