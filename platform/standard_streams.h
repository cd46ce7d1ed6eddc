#pragma once

#include <string>

namespace platform {

// Which standard streams were closed when the program started.
struct ClosedStreams {
    bool input = false;
    bool output = false;
    bool error = false;
};

// Opens each closed standard stream on the null device. Call it first: a
// closed stream's number is otherwise given to whatever opens next (a file,
// the X connection), and writes meant for the stream land there.
ClosedStreams reopenClosedStandardStreams();

// Why a write to a standard stream failed, from the errno it left and
// whatever else the system keeps: whether its reader has gone away, and the
// reason in words.
struct WriteFailure {
    bool readerGone;
    std::string reason;
};
WriteFailure lastWriteFailure(int error);

}  // namespace platform
