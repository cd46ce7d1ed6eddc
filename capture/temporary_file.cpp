#include "capture/temporary_file.h"

#include "capture/path_parts.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const char marker[] = ".partial-XXXXXX";

// The longest file name the folder `dir` takes.
std::size_t longestName(const std::string& dir)
{
    long nameMax = pathconf(dir.c_str(), _PC_NAME_MAX);
    return std::size_t(nameMax > 0 ? nameMax : NAME_MAX);
}

// The temporary name for `target`. Its stem is cut where the marker would
// push the name past what the folder's file system allows, and never inside
// a UTF-8 character, so any name the system accepts can be written.
std::string partialName(const std::string& target)
{
    PathParts parts = splitPath(target);
    std::string& stem = parts.stem;
    std::size_t room = longestName(folderOf(target));
    std::size_t fixed = std::strlen(marker) + parts.extension.size();
    if (stem.size() + fixed > room) {
        std::size_t keep = room > fixed ? room - fixed : 0;
        while (keep > 0 && (static_cast<unsigned char>(stem[keep]) & 0xC0) == 0x80)
            --keep;
        stem.resize(keep);
    }
    return parts.folder + stem + marker + parts.extension;
}

}  // namespace

std::string followLinks(const std::string& path)
{
    std::string at = path;
    // As many links as the kernel follows in one path before giving up.
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info;
        if (lstat(at.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return at;
        char link[PATH_MAX];
        ssize_t length = readlink(at.c_str(), link, sizeof link);
        if (length < 0 || std::size_t(length) >= sizeof link)
            return at;
        std::string next(link, std::size_t(length));
        at = next[0] == '/' ? next : splitPath(at).folder + next;
    }
    errno = ELOOP;
    return {};
}

bool TemporaryFile::create(const std::string& target, std::string& error)
{
    remove();
    std::string finalTarget = followLinks(target);
    if (finalTarget.empty()) {
        error = "cannot write " + target + ": " + std::strerror(errno);
        return false;
    }
    std::string name = partialName(finalTarget);
    std::vector<char> buffer(name.begin(), name.end());
    buffer.push_back('\0');
    int fd = mkstemps(buffer.data(), int(splitPath(finalTarget).extension.size()));
    if (fd < 0) {
        error = "cannot create a file beside " + finalTarget + ": " + std::strerror(errno);
        return false;
    }
    // mkstemps makes the file private; the finished file gets the mode of
    // the one it replaces, or the usual one.
    struct stat existing;
    mode_t mode;
    if (stat(finalTarget.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        mode = existing.st_mode & 0777;
    } else {
        mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    fchmod(fd, mode);
    path_ = buffer.data();
    target_ = finalTarget;
    fd_ = fd;
    return true;
}

int TemporaryFile::releaseFd()
{
    int fd = fd_;
    fd_ = -1;
    return fd;
}

bool TemporaryFile::keep(std::string& error)
{
    if (fd_ >= 0)
        close(releaseFd());
    if (std::rename(path_.c_str(), target_.c_str()) != 0) {
        error = "cannot rename " + path_ + " to " + target_ + ": " + std::strerror(errno);
        remove();
        return false;
    }
    path_.clear();
    return true;
}

void TemporaryFile::remove()
{
    if (fd_ >= 0)
        close(releaseFd());
    if (!path_.empty())
        unlink(path_.c_str());
    path_.clear();
}

std::string checkFolder(const std::string& dir)
{
    // "name/" fails as "Not a directory" when name is a file; asked about
    // the bare name, the system says what is there.
    std::string bare = dir;
    while (bare.size() > 1 && bare.back() == '/')
        bare.pop_back();
    struct stat info;
    if (stat(bare.c_str(), &info) != 0)
        return "cannot use folder " + dir + ": " + std::strerror(errno);
    if (!S_ISDIR(info.st_mode))
        return dir + " is not a folder";
    if (access(bare.c_str(), W_OK | X_OK) != 0)
        return "cannot write in folder " + dir + ": " + std::strerror(errno);
    return {};
}

std::string checkReplaceable(const std::string& target)
{
    std::string dir = folderOf(target);
    std::size_t nameLength = target.size() - splitPath(target).folder.size();
    std::size_t longest = longestName(dir);
    if (nameLength > longest)
        return "cannot write " + target + ": its name is " + std::to_string(nameLength) + " bytes long, and the " +
               "folder " + dir + " takes names of at most " + std::to_string(longest) + "; give a shorter name";
    // In a sticky folder (such as /tmp) only a file's owner, the folder's
    // owner or root may replace it; the rename at the end would fail.
    struct stat folder, existing;
    uid_t me = geteuid();
    if (stat(dir.c_str(), &folder) == 0 && (folder.st_mode & S_ISVTX) && lstat(target.c_str(), &existing) == 0 &&
        me != 0 && existing.st_uid != me && folder.st_uid != me)
        return "cannot replace " + target + ": it belongs to another user, and in the folder " + dir +
               " (sticky, as /tmp is) only its owner may replace it; give another name or folder";
    return {};
}
