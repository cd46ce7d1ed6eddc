#pragma once

// The console log of the show: one line per frame on standard output, and
// the exit status that says whether every line got through.

// Writes the frame counter's line ("12.000000"). A reader that has gone
// away ends the program; any other failure is said once on stderr and the
// show goes on.
void logFrame(float frame);

// Standard output was closed before the show started: says so once; the
// show plays on and ends with status 1, as when lines cannot be written.
void noteOutputClosed();

// Ends the process: status 0, or 1 when counter lines could not be written.
[[noreturn]] void endShow();
