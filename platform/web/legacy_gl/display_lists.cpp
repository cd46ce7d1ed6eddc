// Display lists, which the emulation lacks: a list records the layer's own
// calls (primitives with their attributes resolved, translations, colours,
// calls of other lists) and replays them. Any other GL call made while a
// list is compiled is executed at once, not recorded.
#include "platform/web/legacy_gl/entry_points.h"
#include "platform/web/legacy_gl/state.h"

#include <utility>

using legacy_gl::state;

namespace legacy_gl {

void callList(GLuint list)
{
    State& s = state();
    if (s.recording) {
        s.recorded.push_back(ListCall{ListCall::Kind::callList, {}, {}, list});
        return;
    }
    auto found = s.lists.find(list);
    if (found == s.lists.end())
        return;
    for (const ListCall& call : found->second) {
        switch (call.kind) {
        case ListCall::Kind::draw:
            drawPrimitive(call.primitive);
            if (!call.primitive.vertices.empty()) {
                s.normal = call.primitive.vertices.back().normal;
                s.texCoord = call.primitive.vertices.back().texCoord;
            }
            break;
        case ListCall::Kind::translate:
            glTranslatef(call.values[0], call.values[1], call.values[2]);
            break;
        case ListCall::Kind::colour:
            starwhirl_glColor4f(call.values[0], call.values[1], call.values[2], call.values[3]);
            break;
        case ListCall::Kind::callList:
            callList(call.list);
            break;
        }
    }
}

}  // namespace legacy_gl

extern "C" {

GLuint glGenLists(GLsizei range)
{
    legacy_gl::State& s = state();
    if (range <= 0)
        return 0;
    GLuint first = s.nextList;
    s.nextList += GLuint(range);
    for (GLuint list = first; list < s.nextList; ++list)
        s.lists[list];
    return first;
}

GLboolean glIsList(GLuint list)
{
    return state().lists.count(list) ? GL_TRUE : GL_FALSE;
}

void glDeleteLists(GLuint list, GLsizei range)
{
    for (GLsizei i = 0; i < range; ++i)
        state().lists.erase(list + GLuint(i));
}

void glNewList(GLuint list, GLenum mode)
{
    legacy_gl::State& s = state();
    if (list == 0 || s.recording)
        return;
    s.recording = list;
    s.recordingMode = mode;
    s.recorded.clear();
    s.colourBeforeList = s.colour;
    s.normalBeforeList = s.normal;
    s.texCoordBeforeList = s.texCoord;
}

void glEndList()
{
    legacy_gl::State& s = state();
    if (!s.recording)
        return;
    GLuint list = s.recording;
    s.recording = 0;
    s.lists[list] = std::move(s.recorded);
    s.recorded.clear();
    s.colour = s.colourBeforeList;
    s.normal = s.normalBeforeList;
    s.texCoord = s.texCoordBeforeList;
    if (s.recordingMode == GL_COMPILE_AND_EXECUTE)
        legacy_gl::callList(list);
}

void glCallList(GLuint list)
{
    legacy_gl::callList(list);
}

void glListBase(GLuint base)
{
    state().listBase = base;
}

void glCallLists(GLsizei n, GLenum type, const GLvoid* lists)
{
    GLuint base = state().listBase;
    for (GLsizei i = 0; i < n; ++i) {
        GLuint offset = 0;
        switch (type) {
        case GL_UNSIGNED_BYTE:
            offset = static_cast<const GLubyte*>(lists)[i];
            break;
        case GL_BYTE:
            offset = GLuint(static_cast<const GLbyte*>(lists)[i]);
            break;
        case GL_UNSIGNED_SHORT:
            offset = static_cast<const GLushort*>(lists)[i];
            break;
        case GL_UNSIGNED_INT:
            offset = static_cast<const GLuint*>(lists)[i];
            break;
        default:
            legacy_gl::unsupported("glCallLists with this type of list names");
            return;
        }
        legacy_gl::callList(base + offset);
    }
}

}  // extern "C"

void starwhirl_glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    legacy_gl::State& s = state();
    if (s.recording) {
        s.recorded.push_back(legacy_gl::ListCall{legacy_gl::ListCall::Kind::translate, {}, {x, y, z, 0.0f}, 0});
        return;
    }
    glTranslatef(x, y, z);
}
