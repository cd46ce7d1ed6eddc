#pragma once

#include <string>

// A file being written for `target`, under a name that nobody else holds:
// created exclusively in the target's folder, so that the final rename is
// atomic and no existing file is ever overwritten or removed but the target.
// "show.mp4" is written as "show.partial-Ab12Cd.mp4", keeping the extension
// that tells ffmpeg the container. Removed unless kept.
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
