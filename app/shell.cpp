#include "app/shell.h"

#include "app/timeline.h"

#include <GL/glut.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

float frameCount = 0.0f;

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
    std::printf("%f\n", double(frameCount));
}

void keyboard(unsigned char key, int, int)
{
    if (key == 27)
        std::exit(0);
}
