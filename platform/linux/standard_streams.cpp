#include "platform/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {

namespace {

bool reopenIfClosed(int fd)
{
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF)
        return false;
    int null = open("/dev/null", O_RDWR);
    if (null >= 0 && null != fd) {
        dup2(null, fd);
        close(null);
    }
    return true;
}

}  // namespace

ClosedStreams reopenClosedStandardStreams()
{
    ClosedStreams closed;
    closed.input = reopenIfClosed(STDIN_FILENO);
    closed.output = reopenIfClosed(STDOUT_FILENO);
    closed.error = reopenIfClosed(STDERR_FILENO);
    return closed;
}

WriteFailure lastWriteFailure(int error)
{
    return {error == EPIPE, std::strerror(error)};
}

}  // namespace platform
