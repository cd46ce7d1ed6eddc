#include "capture/audio_check.h"

#include "process/child_process.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

std::string checkAudio(const std::string& path)
{
    // Not blocking: opening a FIFO would wait for a writer.
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return "cannot read --audio " + path + ": " + std::strerror(errno);
    struct stat info;
    bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    bool folder = S_ISDIR(info.st_mode);
    close(fd);
    if (folder)
        return "--audio " + path + " is a folder; give an audio file";
    if (!regular)
        return "--audio " + path + " is not a plain file; give an audio file (it is read twice)";

    std::string error;
    ChildProcess probe;
    ChildProcess::Start started =
        probe.start({"ffprobe", "-v", "error", "-select_streams", "a", "-show_entries", "stream=codec_type",
                     "-of", "csv=p=0", "file:" + path},
                    ChildProcess::Pipe::fromItsOutputAndErrors, error);
    if (started == ChildProcess::Start::notInstalled)
        return "the ffprobe program is not installed (Debian package ffmpeg); --audio needs it";
    if (started != ChildProcess::Start::started)
        return error;
    std::string said;
    char chunk[4096];
    ssize_t got;
    while ((got = read(probe.pipe(), chunk, sizeof chunk)) > 0 || (got < 0 && errno == EINTR))
        said.append(chunk, std::size_t(got > 0 ? got : 0));
    int status = probe.wait();
    bool read = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (read && said.rfind("audio\n", 0) == 0)
        return {};
    if (read)
        return "--audio " + path + " holds no audio stream";
    // ffprobe names the file as it was given to it; the user knows theirs.
    std::string reason = said.substr(0, said.find('\n'));
    if (reason.rfind("file:" + path + ": ", 0) == 0)
        reason.erase(0, path.size() + 7);
    return "ffmpeg cannot read --audio " + path + (reason.empty() ? "" : " (it says: " + reason + ")");
}
