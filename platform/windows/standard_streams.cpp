#include "platform/standard_streams.h"

#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace platform {

namespace {

bool reopenIfClosed(std::FILE* stream, const char* mode)
{
    int fd = _fileno(stream);
    if (fd >= 0 && _get_osfhandle(fd) >= 0)
        return false;
    std::freopen("NUL", mode, stream);
    return true;
}

}  // namespace

ClosedStreams reopenClosedStandardStreams()
{
    ClosedStreams closed;
    closed.input = reopenIfClosed(stdin, "r");
    closed.output = reopenIfClosed(stdout, "w");
    closed.error = reopenIfClosed(stderr, "w");
    return closed;
}

// The C runtime here reports a failed write through ferror only; the reason
// is in the Windows error it keeps, not in errno.
WriteFailure lastWriteFailure(int error)
{
    unsigned long code = _doserrno;
    if (error == EPIPE || code == ERROR_BROKEN_PIPE || code == ERROR_NO_DATA || code == ERROR_PIPE_NOT_CONNECTED)
        return {true, "Broken pipe"};
    if (error == ENOSPC || code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL)
        return {false, "No space left on device"};
    if (error != 0)
        return {false, std::strerror(error)};
    return {false, "Windows error " + std::to_string(code)};
}

}  // namespace platform
