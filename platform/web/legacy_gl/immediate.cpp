// glBegin ... glEnd. The emulation packs each attribute call into one
// interleaved buffer, so a primitive must send the same attributes at every
// vertex; GL instead lets a normal or texture coordinate set once apply to
// every vertex after it. Vertices are therefore collected with the current
// values resolved, then sent whole at glEnd, or recorded into the list
// being compiled.
#include "platform/web/legacy_gl/entry_points.h"
#include "platform/web/legacy_gl/state.h"

#include <utility>

using legacy_gl::state;

namespace legacy_gl {

void drawPrimitive(const Primitive& primitive)
{
    if (primitive.vertices.empty())
        return;
    glBegin(primitive.mode);
    for (const Vertex& v : primitive.vertices) {
        glNormal3f(v.normal[0], v.normal[1], v.normal[2]);
        if (primitive.textured)
            glTexCoord2f(v.texCoord[0], v.texCoord[1]);
        glVertex3f(v.position[0], v.position[1], v.position[2]);
    }
    glEnd();
}

}  // namespace legacy_gl

void starwhirl_glBegin(GLenum mode)
{
    legacy_gl::State& s = state();
    s.inPrimitive = true;
    s.primitive = legacy_gl::Primitive{mode, s.texture2D, {}};
}

void starwhirl_glEnd()
{
    legacy_gl::State& s = state();
    if (!s.inPrimitive)
        return;
    s.inPrimitive = false;
    if (s.recording) {
        legacy_gl::ListCall call{legacy_gl::ListCall::Kind::draw, std::move(s.primitive), {}, 0};
        s.recorded.push_back(std::move(call));
        return;
    }
    legacy_gl::drawPrimitive(s.primitive);
}

void starwhirl_glNormal3f(GLfloat x, GLfloat y, GLfloat z)
{
    state().normal = {x, y, z};
}

void starwhirl_glNormal3fv(const GLfloat* v)
{
    starwhirl_glNormal3f(v[0], v[1], v[2]);
}

void starwhirl_glTexCoord2f(GLfloat s, GLfloat t)
{
    legacy_gl::State& st = state();
    st.texCoord = {s, t};
    if (st.inPrimitive)
        st.primitive.textured = true;
}

void starwhirl_glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    legacy_gl::State& s = state();
    if (!s.inPrimitive)
        return;  // GL ignores a vertex outside glBegin ... glEnd
    s.primitive.vertices.push_back(legacy_gl::Vertex{{x, y, z}, s.normal, s.texCoord});
}

void starwhirl_glVertex3fv(const GLfloat* v)
{
    starwhirl_glVertex3f(v[0], v[1], v[2]);
}
