#include "scene/spinner.h"

#include "platform/frame_presenter.h"

#include <GL/glut.h>

#include <cmath>

SpinnerPose spinnerPose(float time, float speed)
{
    float phase = time * speed;
    float a = phase * 0.1f;
    SpinnerPose pose;
    pose.angleX = phase * 0.5f;
    pose.angleY = phase * 0.33333334f;
    pose.angleZ = phase * 2.0f;
    pose.color[0] = float(std::sin(1.1 * a));
    pose.color[1] = float(std::cos(1.5 * a));
    pose.color[2] = float(std::cos(1.2 * a));
    pose.offset[0] = float(0.5 * std::sin(a));
    pose.offset[1] = float(std::sin(2.0 * a));
    pose.offset[2] = float(std::sin(0.5 * a));
    // The pulse follows time itself, not the phase.
    pose.size = float(std::sin(time * 0.02));
    return pose;
}

void Spinner::draw(float time, float speed)
{
    phase = time * speed;
    SpinnerPose pose = spinnerPose(time, speed);

    glRotatef(pose.angleX, 1.0f, 0.0f, 0.0f);
    glRotatef(pose.angleY, 0.0f, 2.0f, 0.0f);
    glRotatef(pose.angleZ, 0.0f, 0.0f, 2.0f);
    glColor3fv(pose.color);
    glTranslatef(pose.offset[0], pose.offset[1], pose.offset[2]);
    glutSolidCube(pose.size);
    glutSolidSphere(pose.size, 10, 10);

    presenter.present();
}
