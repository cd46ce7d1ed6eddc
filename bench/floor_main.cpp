// The floor the show is measured against: the show's window, frame clock,
// console line and presentations, with nothing drawn but the clear.
//
//   starwhirl-floor                the whole show's 4200 frames
//   starwhirl-floor --first-frame  present frame 0, print its line, quit
#include "app/console.h"
#include "app/shell.h"
#include "app/timeline.h"
#include "app/window.h"
#include "platform/standard_streams.h"

#include <GL/glut.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

float frameCount = 0.0f;

void displayFloor()
{
    Scene scene = sceneFor(frameCount);
    if (scene == Scene::end)
        endShow();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (int i = 0; i < presentationsFor(scene); ++i)
        glutSwapBuffers();
}

void idleFloor()
{
    frameCount += 1.0f;
    glutPostRedisplay();
    logFrame(frameCount);
}

void idleOnce()
{
    idleFloor();
    endShow();
}

}  // namespace

int main(int argc, char** argv)
{
    if (platform::reopenClosedStandardStreams().output)
        noteOutputClosed();
    WindowRequest window;
    window.glutArguments = {argv[0]};
    if (auto failure = openWindow(window)) {
        std::fprintf(stderr, "%s\n", failure->line(argv[0]).c_str());
        return 1;
    }
    bool firstFrameOnly = argc > 1 && std::strcmp(argv[1], "--first-frame") == 0;

    glutDisplayFunc(displayFloor);
    glutReshapeFunc(reshape);
    glutIdleFunc(firstFrameOnly ? idleOnce : idleFloor);
    glutKeyboardFunc(keyboard);

    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glutMainLoop();
    return 0;
}
