// The floor the show is measured against: the show's window, frame clock,
// console line and presentations, with nothing drawn but the clear.
//
//   starwhirl-floor                the whole show's 4200 frames
//   starwhirl-floor --first-frame  present frame 0, print its line, quit
#include "app/shell.h"
#include "app/timeline.h"

#include <GL/glut.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Scenes with an object present twice: once from the object's own draw and
// once from the display routine.
int presentationsFor(Scene scene)
{
    switch (scene) {
    case Scene::intro:
    case Scene::reset:
        return 1;
    case Scene::release:
    case Scene::outro:
    case Scene::greetings:
        return 2;
    case Scene::end:
        break;
    }
    return 0;
}

void displayFloor()
{
    Scene scene = sceneFor(frameCount);
    if (scene == Scene::end)
        std::exit(0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (int i = 0; i < presentationsFor(scene); ++i)
        glutSwapBuffers();
}

void idleOnce()
{
    idle();
    std::exit(0);
}

}  // namespace

int main(int argc, char** argv)
{
    openWindow(&argc, argv);
    bool firstFrameOnly = argc > 1 && std::strcmp(argv[1], "--first-frame") == 0;

    glutDisplayFunc(displayFloor);
    glutReshapeFunc(reshape);
    glutIdleFunc(firstFrameOnly ? idleOnce : idle);
    glutKeyboardFunc(keyboard);

    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glutMainLoop();
    return 0;
}
