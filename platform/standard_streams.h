#pragma once

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

}  // namespace platform
