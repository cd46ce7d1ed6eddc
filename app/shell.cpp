#include "app/shell.h"

#include "app/console.h"
#include "app/show.h"

#include <GL/glut.h>


namespace {

// GLUT's callbacks carry no pointer of ours. Not destroyed at exit: the GL
// context its font lives in may already be gone by then.
Show* show = nullptr;

}  // namespace

void adoptShow(std::unique_ptr<Show> adopted)
{
    delete show;
    show = adopted.release();
}

Show& theShow()
{
    return *show;
}

void display()
{
    if (!show->display())
        endShow();
}

void reshape(int width, int height)
{
    Show::reshape(width, height);
}

void idle()
{
    float frame = show->tick();
    glutPostRedisplay();
    logFrame(frame);
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

void playShow(std::unique_ptr<Show> adopted)
{
    adoptShow(std::move(adopted));
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutIdleFunc(idle);
    glutKeyboardFunc(keyboard);
    glutWindowStatusFunc(windowStatus);
    glutMainLoop();
}
