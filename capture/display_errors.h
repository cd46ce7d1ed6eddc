#pragma once

#include <string>

// X errors on the display the capture draws on end the capture as a signal
// does, through its clean-up, instead of ending the process from inside
// Xlib with a partial video left behind: a lost connection (the X server
// ended, or closed ours) and a refused request are noted, and Xlib drops
// what is sent to a lost display after that. Call once the window's GL
// context is current.
void watchDisplayErrors();

// One line saying what went wrong with the X display, or empty.
std::string displayError();
