#pragma once

#include <string>

// A path cut into its folder, its file name's stem and the name's
// extension, which tells ffmpeg the container: every part of the capture
// that looks at a name asks here, so that they agree.
struct PathParts {
    std::string folder;     // up to and with the last slash; "" for a bare name
    std::string stem;
    std::string extension;  // with its dot (".mp4"); "" for a name without one
};

// A leading dot (".mp4" alone) starts no extension: that is a hidden
// file's name.
PathParts splitPath(const std::string& path);

// The folder a file at `path` lands in, as a path of its own: "." for a
// bare name, "/" for one at the root.
std::string folderOf(const std::string& path);
