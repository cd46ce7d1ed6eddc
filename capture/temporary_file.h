#pragma once

#include <string>

// A file being written for `target`, under a name that nobody else holds:
// created exclusively in the target's folder, so that the final rename is
// atomic and no existing file is ever overwritten or removed but the target.
// "show.mp4" is written as "show.partial-Ab12Cd.mp4", keeping the extension
// that tells ffmpeg the container. A target that is a symbolic link is
// written where the link leads, so the link stays; a target that exists
// keeps its permissions. Removed unless kept.
class TemporaryFile {
public:
    TemporaryFile() = default;
    ~TemporaryFile() { remove(); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Returns false and says why in `error`.
    bool create(const std::string& target, std::string& error);
    const std::string& path() const { return path_; }
    // The open descriptor of the new, empty file; -1 once released.
    int fd() const { return fd_; }
    int releaseFd();

    // Renames it to the target; on failure it is removed and `error` says why.
    bool keep(std::string& error);
    void remove();

private:
    std::string path_;
    std::string target_;
    int fd_ = -1;
};

// Where a file written at `path` lands: `path` itself or, when it names a
// symbolic link, the file its links lead to, which need not exist yet.
// Empty, with errno set, when the links go round in a loop.
std::string followLinks(const std::string& path);

// An empty string when new files can be made in the folder `dir`, else one
// line saying why not.
std::string checkFolder(const std::string& dir);

// An empty string when a finished file may take the name `target` (links
// already followed): the name fits its folder, and the folder lets us
// replace a file of that name. Else one line saying why not.
std::string checkReplaceable(const std::string& target);
