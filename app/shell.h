#pragma once

// The GLUT side of the show: the five callbacks, a thin adapter over the one
// Show that initScene creates. The window they are registered on is opened
// by app/window.cpp (on the page, by web/main.cpp).

class Show;

// Starts drawing the show's font on a thread of its own, so that it is
// ready by the time the window is: native programs call it first thing,
// before GLUT starts. A page has no threads; initScene without it draws the
// font itself.
void prepareScene();
// Creates the show on the window's context; it lives until the process ends.
// A font that cannot be had ends the program with status 1 and one line on
// standard error that says why.
void initScene();
// The show initScene made, for programs and tests that drive the callbacks.
Show& theShow();

void display();
void reshape(int width, int height);
void idle();
void keyboard(unsigned char key, int x, int y);
// Pauses the frame clock while the window cannot be seen.
void windowStatus(int state);
