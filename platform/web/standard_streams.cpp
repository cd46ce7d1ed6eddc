#include "platform/standard_streams.h"

#include <cstring>

namespace platform {

// A page's standard streams are the browser's console: always open.
ClosedStreams reopenClosedStandardStreams()
{
    return {};
}

WriteFailure lastWriteFailure(int error)
{
    return WriteFailure{false, std::strerror(error)};
}

}  // namespace platform
