#pragma once

// The GLUT side of the show: the window and the four callbacks, a thin
// adapter over the one Show that initScene creates.

class Show;

// Creates the show on the window's context; it lives until the process ends.
void initScene();
// The show initScene made, for programs and tests that drive the callbacks.
Show& theShow();

void display();
void reshape(int width, int height);
void idle();
void keyboard(unsigned char key, int x, int y);
// Pauses the frame clock while the window cannot be seen.
void windowStatus(int state);
