#include "app/shell.h"

#include <GL/glut.h>

int main(int argc, char** argv)
{
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
