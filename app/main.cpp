#include "app/console.h"
#include "app/shell.h"
#include "app/window.h"
#include "platform/allocator.h"
#include "platform/standard_streams.h"

#include <GL/glut.h>

int main(int argc, char** argv)
{
    platform::prepareAllocator();
    if (platform::reopenClosedStandardStreams().output)
        noteOutputClosed();
    prepareScene();
    openWindow(&argc, argv);

    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutIdleFunc(idle);
    glutKeyboardFunc(keyboard);
    glutWindowStatusFunc(windowStatus);

    initScene();
    glutMainLoop();
    return 0;
}
