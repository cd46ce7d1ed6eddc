#pragma once

// The GLUT side of the show: the five callbacks, a thin adapter over the one
// Show that the start-up made (app/startup.h). The window they are
// registered on is opened by app/window.cpp (on the page, by web/main.cpp).

#include <memory>

class Show;

// The show the callbacks drive, from now until the process ends.
void adoptShow(std::unique_ptr<Show> show);
// Adopts the show, registers the callbacks on the window just opened and
// runs GLUT's loop until the show ends.
void playShow(std::unique_ptr<Show> show);
// The show adopted, for programs and tests that drive the callbacks.
Show& theShow();

void display();
void reshape(int width, int height);
void idle();
void keyboard(unsigned char key, int x, int y);
// Pauses the frame clock while the window cannot be seen.
void windowStatus(int state);
