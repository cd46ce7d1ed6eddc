#include "capture/temporary_file.h"

#include "capture/path_parts.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// A scratch folder of the test's own, removed with what it holds.
class TemporaryFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = ::testing::TempDir() + "starwhirl-temporary-XXXXXX";
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        ASSERT_NE(mkdtemp(buffer.data()), nullptr);
        dir = buffer.data();
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // Writes `text` into a new temporary file for `target` and keeps it.
    void writeThrough(const std::string& target, const std::string& text)
    {
        TemporaryFile file;
        std::string error;
        ASSERT_TRUE(file.create(target, error)) << error;
        ASSERT_EQ(write(file.fd(), text.data(), text.size()), ssize_t(text.size()));
        ASSERT_TRUE(file.keep(error)) << error;
    }
    static std::string contents(const std::string& path)
    {
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static bool isLink(const std::string& path)
    {
        struct stat info;
        return lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
    }
    // The names in the scratch folder's top level, sorted.
    std::vector<std::string> names() const
    {
        std::vector<std::string> found;
        DIR* folder = opendir(dir.c_str());
        while (dirent* entry = folder ? readdir(folder) : nullptr)
            if (entry->d_name[0] != '.')
                found.push_back(entry->d_name);
        if (folder)
            closedir(folder);
        std::sort(found.begin(), found.end());
        return found;
    }

    std::string dir;
};

TEST_F(TemporaryFileTest, WritesThroughLinksAndKeepsTheReplacedFilesMode)
{
    mkdir((dir + "/videos").c_str(), 0777);
    std::ofstream(dir + "/videos/real.mp4") << "old";
    chmod((dir + "/videos/real.mp4").c_str(), 0600);
    // A chain of two relative links, the second in another folder.
    ASSERT_EQ(symlink("videos/hop.mp4", (dir + "/link.mp4").c_str()), 0);
    ASSERT_EQ(symlink("real.mp4", (dir + "/videos/hop.mp4").c_str()), 0);

    writeThrough(dir + "/link.mp4", "new");
    EXPECT_TRUE(isLink(dir + "/link.mp4"));
    EXPECT_TRUE(isLink(dir + "/videos/hop.mp4"));
    EXPECT_EQ(contents(dir + "/videos/real.mp4"), "new");
    struct stat info;
    ASSERT_EQ(stat((dir + "/videos/real.mp4").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    // A link to a file that does not exist yet makes that file.
    ASSERT_EQ(symlink("made.mkv", (dir + "/dangling.mkv").c_str()), 0);
    writeThrough(dir + "/dangling.mkv", "made");
    EXPECT_TRUE(isLink(dir + "/dangling.mkv"));
    EXPECT_EQ(contents(dir + "/made.mkv"), "made");

    // Links in a loop lead nowhere: said, and nothing made.
    ASSERT_EQ(symlink("loop-b", (dir + "/loop-a").c_str()), 0);
    ASSERT_EQ(symlink("loop-a", (dir + "/loop-b").c_str()), 0);
    TemporaryFile looping;
    std::string error;
    EXPECT_FALSE(looping.create(dir + "/loop-a", error));
    EXPECT_NE(error.find("Too many levels of symbolic links"), std::string::npos) << error;
    EXPECT_EQ(names(), (std::vector<std::string>{"dangling.mkv", "link.mp4", "loop-a", "loop-b", "made.mkv", "videos"}));
}

TEST_F(TemporaryFileTest, AnyNameTheFileSystemTakesCanBeWritten)
{
    // 250 bytes, the extension kept; then a stem of two-byte characters
    // after one of one byte, which must not be cut inside a character.
    std::string accented = "a";
    for (int i = 0; i < 122; ++i)
        accented += "\xC3\xA9";  // é
    for (const std::string& stem : {std::string(246, 'x'), accented}) {
        std::string target = dir + "/" + stem + ".mp4";
        TemporaryFile file;
        std::string error;
        ASSERT_TRUE(file.create(target, error)) << error;
        std::string name = file.path().substr(dir.size() + 1);
        EXPECT_LE(name.size(), 255u);
        EXPECT_EQ(name.substr(name.size() - 4), ".mp4");
        std::string kept = name.substr(0, name.find(".partial-"));
        EXPECT_EQ(stem.compare(0, kept.size(), kept), 0) << "the stem is cut, not changed";
        EXPECT_TRUE(kept.empty() || (static_cast<unsigned char>(kept.back()) & 0xC0) != 0xC0)
            << "a character's first byte is left without the rest";
        EXPECT_EQ(checkReplaceable(target), "");
        ASSERT_TRUE(file.keep(error)) << error;
        EXPECT_EQ(access(target.c_str(), F_OK), 0);
    }
    // One byte more would be written in full and then fail to take its name.
    std::string tooLong = std::string(252, 'x') + ".mp4";
    EXPECT_EQ(checkReplaceable(dir + "/" + tooLong),
              "cannot write " + dir + "/" + tooLong + ": its name is 256 bytes long, and the folder " + dir +
                  " takes names of at most 255; give a shorter name");
}

// The extension chooses ffmpeg's container, so every reader of a name must
// cut it the same way.
TEST(PathParts, CutsTheFileNameAtItsLastDotButNotAtALeadingOne)
{
    struct Case {
        std::string path, folder, stem, extension, folderPath;
    };
    for (const Case& c : {Case{"show.mp4", "", "show", ".mp4", "."},
                          Case{"show", "", "show", "", "."},
                          Case{".mp4", "", ".mp4", "", "."},
                          Case{"-", "", "-", "", "."},
                          Case{"v.d/show", "v.d/", "show", "", "v.d"},
                          Case{"a/b/.x.mkv", "a/b/", ".x", ".mkv", "a/b"},
                          Case{"/show.tar.mp4", "/", "show.tar", ".mp4", "/"},
                          Case{"show.", "", "show", ".", "."}}) {
        PathParts parts = splitPath(c.path);
        EXPECT_EQ(parts.folder, c.folder) << c.path;
        EXPECT_EQ(parts.stem, c.stem) << c.path;
        EXPECT_EQ(parts.extension, c.extension) << c.path;
        EXPECT_EQ(folderOf(c.path), c.folderPath) << c.path;
    }
}

}  // namespace
