#include "capture/path_parts.h"

PathParts splitPath(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::size_t dot = path.rfind('.');
    bool hasExtension = dot != std::string::npos && dot > nameStart;
    PathParts parts;
    parts.folder = path.substr(0, nameStart);
    parts.stem = path.substr(nameStart, hasExtension ? dot - nameStart : std::string::npos);
    parts.extension = hasExtension ? path.substr(dot) : "";
    return parts;
}

std::string folderOf(const std::string& path)
{
    std::string folder = splitPath(path).folder;
    if (folder.empty())
        return ".";
    return folder.size() == 1 ? folder : folder.substr(0, folder.size() - 1);
}
