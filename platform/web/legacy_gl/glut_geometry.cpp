#include "platform/web/legacy_gl/glut_geometry.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace legacy_gl {

namespace {

struct CircleTable {
    std::vector<GLfloat> sin, cos;
};

// n + 1 samples around a circle (or half of one), the last equal to the
// first (or to the far end). A negative n runs the other way. The float
// arithmetic is freeglut's, step for step, so the vertices are bit-identical.
CircleTable circleTable(int n, bool halfCircle)
{
    int size = std::abs(n);
    const GLfloat pi = GLfloat(3.14159265358979323846);
    const GLfloat angle = (halfCircle ? 1 : 2) * pi / GLfloat(n == 0 ? 1 : n);
    CircleTable table{std::vector<GLfloat>(size + 1), std::vector<GLfloat>(size + 1)};
    table.sin[0] = 0.0f;
    table.cos[0] = 1.0f;
    for (int i = 1; i < size; ++i) {
        GLfloat a = angle * GLfloat(i);
        table.sin[i] = GLfloat(std::sin(double(a)));
        table.cos[i] = GLfloat(std::cos(double(a)));
    }
    if (halfCircle) {
        table.sin[size] = 0.0f;
        table.cos[size] = -1.0f;
    } else {
        table.sin[size] = table.sin[0];
        table.cos[size] = table.cos[0];
    }
    return table;
}

Vertex vertexAt(const std::vector<GLfloat>& positions, const std::vector<GLfloat>& normals, int index)
{
    std::size_t at = std::size_t(index) * 3;
    return Vertex{{positions[at], positions[at + 1], positions[at + 2]},
                  {normals[at], normals[at + 1], normals[at + 2]},
                  {0.0f, 0.0f}};
}

}  // namespace

std::vector<Primitive> solidSphere(double radiusIn, int slices, int stacks)
{
    std::vector<Primitive> strips;
    if (slices == 0 || stacks < 2)
        return strips;
    const GLfloat radius = GLfloat(radiusIn);
    const int count = slices * (stacks - 1) + 2;
    CircleTable around = circleTable(-slices, false);
    CircleTable down = circleTable(stacks, true);

    std::vector<GLfloat> positions(std::size_t(count) * 3), normals(std::size_t(count) * 3);
    positions[2] = radius;
    normals[2] = 1.0f;
    std::size_t at = 3;
    for (int i = 1; i < stacks; ++i) {
        for (int j = 0; j < slices; ++j, at += 3) {
            GLfloat x = around.cos[j] * down.sin[i];
            GLfloat y = around.sin[j] * down.sin[i];
            GLfloat z = down.cos[i];
            positions[at] = x * radius;
            positions[at + 1] = y * radius;
            positions[at + 2] = z * radius;
            normals[at] = x;
            normals[at + 1] = y;
            normals[at + 2] = z;
        }
    }
    positions[at + 2] = -radius;
    normals[at + 2] = -1.0f;

    auto strip = [&](auto upper, auto lower) {
        Primitive p{GL_TRIANGLE_STRIP, false, {}};
        for (int j = 0; j <= slices; ++j) {
            int column = j == slices ? 0 : j;
            p.vertices.push_back(vertexAt(positions, normals, upper(column)));
            p.vertices.push_back(vertexAt(positions, normals, lower(column)));
        }
        strips.push_back(std::move(p));
    };
    // Top: each first-stack vertex with the pole.
    strip([](int j) { return j + 1; }, [](int) { return 0; });
    for (int i = 0; i < stacks - 2; ++i) {
        int offset = 1 + i * slices;
        strip([&](int j) { return offset + j + slices; }, [&](int j) { return offset + j; });
    }
    int offset = 1 + (stacks - 2) * slices;
    strip([&](int) { return count - 1; }, [&](int j) { return offset + j; });
    return strips;
}

Primitive solidCube(double sizeIn)
{
    static const GLfloat corners[8][3] = {{.5f, .5f, .5f},   {-.5f, .5f, .5f},  {-.5f, -.5f, .5f},
                                          {.5f, -.5f, .5f},  {.5f, -.5f, -.5f}, {.5f, .5f, -.5f},
                                          {-.5f, .5f, -.5f}, {-.5f, -.5f, -.5f}};
    static const GLfloat faceNormals[6][3] = {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}, {-1, 0, 0}, {0, -1, 0}, {0, 0, -1}};
    static const int faces[6][4] = {{0, 1, 2, 3}, {0, 3, 4, 5}, {0, 5, 6, 1}, {1, 6, 7, 2}, {7, 4, 3, 2}, {4, 7, 6, 5}};
    static const int quadAsTriangles[6] = {0, 1, 2, 0, 2, 3};
    const GLfloat size = GLfloat(sizeIn);

    Primitive cube{GL_TRIANGLES, false, {}};
    for (int face = 0; face < 6; ++face) {
        for (int corner : quadAsTriangles) {
            const GLfloat* c = corners[faces[face][corner]];
            const GLfloat* n = faceNormals[face];
            // freeglut scales the unit cube only when the size is not 1.
            Vertex v{{c[0], c[1], c[2]}, {n[0], n[1], n[2]}, {0.0f, 0.0f}};
            if (size != 1.0f)
                v.position = {size * c[0], size * c[1], size * c[2]};
            cube.vertices.push_back(v);
        }
    }
    return cube;
}

}  // namespace legacy_gl
