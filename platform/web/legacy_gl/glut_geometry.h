#pragma once

// GLUT's solid sphere and cube as freeglut 3.4 builds them (fg_geometry.c):
// the same vertices, normals, order and primitives, as plain data.

#include "platform/web/legacy_gl/state.h"

#include <vector>

namespace legacy_gl {

// One triangle strip per stack, from the +z pole down.
std::vector<Primitive> solidSphere(double radius, int slices, int stacks);
// Twelve triangles, two per face, with the face's normal at each vertex.
Primitive solidCube(double size);

}  // namespace legacy_gl
