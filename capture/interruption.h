#pragma once

// SIGINT, SIGTERM and SIGHUP end a capture: they are noted, not obeyed at
// once, so that the capture can stop its children and remove what it has
// not finished. A blocking write or wait they arrive in returns early.
void catchInterruptions();

// The signal that asked the capture to stop, or 0.
int interruption();

// Ends the process as the signal would have, so that whoever started it
// sees how it ended.
[[noreturn]] void endAsInterrupted(int signal);
