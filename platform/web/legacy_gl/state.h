#pragma once

// What the web layer keeps of GL's state, in one owner: the values GL holds
// between calls that the emulation does not keep (or keeps wrongly), the
// display lists, and the attribute stack.

#include <GL/gl.h>

#include <array>
#include <map>
#include <vector>

namespace legacy_gl {

struct Vertex {
    std::array<GLfloat, 3> position;
    std::array<GLfloat, 3> normal;
    std::array<GLfloat, 2> texCoord;
};

// A glBegin ... glEnd block with every attribute resolved at every vertex.
struct Primitive {
    GLenum mode = GL_TRIANGLES;
    bool textured = false;  // texture coordinates are sent with each vertex
    std::vector<Vertex> vertices;
};

// One recorded call of a display list.
struct ListCall {
    enum class Kind { draw, translate, colour, callList } kind;
    Primitive primitive;                  // draw
    std::array<GLfloat, 4> values{};      // translate (x, y, z), colour (r, g, b, a)
    GLuint list = 0;                      // callList
};
using DisplayList = std::vector<ListCall>;

// What glPushAttrib saved, for the bits the web layer keeps.
struct SavedAttributes {
    GLbitfield mask = 0;
    bool texture2D = false;
    GLint texture = 0;
    GLboolean blend = GL_FALSE;
    GLint blendSrcRgb = 0, blendDstRgb = 0, blendSrcAlpha = 0, blendDstAlpha = 0;
    std::array<GLfloat, 4> clearColour{};
    std::array<GLboolean, 4> colourMask{};
    GLuint listBase = 0;
};

struct State {
    std::array<GLfloat, 4> colour{1.0f, 1.0f, 1.0f, 1.0f};
    std::array<GLfloat, 3> normal{0.0f, 0.0f, 1.0f};
    std::array<GLfloat, 2> texCoord{0.0f, 0.0f};
    bool texture2D = false;
    bool colourMaterial = false;
    GLenum colourMaterialMode = GL_AMBIENT_AND_DIFFUSE;

    bool inPrimitive = false;
    Primitive primitive;

    std::map<GLuint, DisplayList> lists;
    GLuint nextList = 1;
    GLuint listBase = 0;
    GLuint recording = 0;  // the list being compiled, 0 when none
    GLenum recordingMode = GL_COMPILE;
    DisplayList recorded;
    // The current values when recording began: compiling a list changes none.
    std::array<GLfloat, 4> colourBeforeList{};
    std::array<GLfloat, 3> normalBeforeList{};
    std::array<GLfloat, 2> texCoordBeforeList{};

    std::vector<SavedAttributes> attributeStack;
};

State& state();

// Draws through the emulation, every attribute at every vertex.
void drawPrimitive(const Primitive& primitive);
// Runs a display list's calls.
void callList(GLuint list);
// Makes the material follow the current colour as glColorMaterial says.
void trackColour();

// Says once on stderr that the web layer does not do `what`.
void unsupported(const char* what);

}  // namespace legacy_gl
