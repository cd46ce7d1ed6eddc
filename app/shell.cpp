#include "app/shell.h"

#include "app/timeline.h"

#include <GL/glut.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

float frameCount = 0.0f;

namespace {

bool counterLinesLost = false;

// The window is the show; the counter lines are a log of it. A reader that
// has gone away (SIGPIPE ignored, or we would already be dead) ends the show,
// as nothing can see the log any more; any other failure, such as a full
// disk, is said once and the show goes on, but it no longer ends with 0.
void counterNotWritten(int error)
{
    if (error == EPIPE) {
        std::fprintf(stderr, "starwhirl: standard output was closed (%s); ending the show\n",
                     std::strerror(error));
        std::exit(1);
    }
    if (!counterLinesLost)
        std::fprintf(stderr, "starwhirl: cannot write the frame counter to standard output (%s); the show goes on\n",
                     std::strerror(error));
    counterLinesLost = true;
    std::clearerr(stdout);
}

}  // namespace

void openWindow(int* argc, char** argv)
{
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(800, 600);
    glutInitWindowPosition(200, 100);
    glutCreateWindow("starwhirl");
}

void initScene()
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);

    // The enable must come before the selection: at the enable the default
    // tracking (ambient and diffuse) takes the still-white current colour, so
    // both stay white for the whole run and glColor later sets only emission.
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_EMISSION);

    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);

    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glEnable(GL_LINE_SMOOTH);

    createCast();
}

void display()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    drawFrame();
    glPopMatrix();
    glutSwapBuffers();
}

void reshape(int width, int height)
{
    glViewport(0, 0, width, height);

    // A minimised window reports 0 × 0 or w × 0; counting each side as at
    // least one pixel keeps the aspect ratio, and so the projection, finite.
    double aspect = double(std::max(width, 1)) / double(std::max(height, 1));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, aspect, 1.0, 300.0);

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -5.0f);
}

void idle()
{
    frameCount += 1.0f;
    glutPostRedisplay();
    if (std::printf("%f\n", double(frameCount)) < 0)
        counterNotWritten(errno);
}

void endShow()
{
    if (std::fflush(stdout) != 0)
        counterNotWritten(errno);
    std::exit(counterLinesLost ? 1 : 0);
}

void windowStatus(int state)
{
    // GLUT does not call display for a window that is unmapped, minimised or
    // wholly covered. A clock left running would count frames nobody sees, as
    // fast as the CPU allows, and pass the end without noticing; so the show
    // waits until the window can be seen again.
    bool unseen = state == GLUT_HIDDEN || state == GLUT_FULLY_COVERED;
    glutIdleFunc(unseen ? nullptr : idle);
}

void keyboard(unsigned char key, int, int)
{
    if (key == 27)
        endShow();
}
