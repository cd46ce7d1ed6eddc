#pragma once

// The frame clock: raised by exactly 1.0 per idle tick, so it always holds a
// whole number and the timeline can compare it for equality.
extern float frameCount;

// Initialises GLUT with the command line and opens the show's window:
// double-buffered RGB with depth, 800 x 600 at (200, 100), "starwhirl".
void openWindow(int* argc, char** argv);
void initScene();
void display();
void reshape(int width, int height);
void idle();
void keyboard(unsigned char key, int x, int y);
// Pauses the frame clock while the window cannot be seen.
void windowStatus(int state);

// Ends the process: status 0, or 1 when counter lines could not be written.
[[noreturn]] void endShow();
