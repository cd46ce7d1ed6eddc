#include "capture/temporary_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Where the file name's extension starts, or npos for a name without one (a
// leading dot, as in ".mp4", does not start an extension).
std::size_t extensionStart(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot == slash + 1)
        return std::string::npos;
    return dot;
}

}  // namespace

bool TemporaryFile::create(const std::string& target, std::string& error)
{
    remove();
    std::size_t dot = extensionStart(target);
    std::string extension = dot == std::string::npos ? "" : target.substr(dot);
    std::string name = target.substr(0, dot) + ".partial-XXXXXX" + extension;
    std::vector<char> buffer(name.begin(), name.end());
    buffer.push_back('\0');
    int fd = mkstemps(buffer.data(), int(extension.size()));
    if (fd < 0) {
        error = "cannot create a file beside " + target + ": " + std::strerror(errno);
        return false;
    }
    // mkstemps makes the file private; the finished file gets the usual mode.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    path_ = buffer.data();
    target_ = target;
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
