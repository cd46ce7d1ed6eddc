#pragma once

// Initialises GLUT with the command line and opens the show's window:
// double-buffered RGB with depth, 800 x 600 at (200, 100), "starwhirl". A
// failure of GLUT's (no X display, for one) ends the program with status 1
// and a line that says what to do.
void openWindow(int* argc, char** argv);
