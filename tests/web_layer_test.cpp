// The web build's GLUT shapes and mipmaps, checked here against the real
// freeglut and GLU they stand in for: drawn or built both ways on the same
// GL, the results must be the same.
#include "platform/web/legacy_gl/glut_geometry.h"
#include "platform/web/legacy_gl/mipmaps.h"
#include "tests/gl_test.h"

#include <GL/glu.h>
#include <GL/glut.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

// What GL makes of a drawing, as lit and transformed vertices: feedback in
// window coordinates with each vertex's lit colour, which follows its normal.
template <typename Draw>
std::vector<GLfloat> feedbackOf(Draw draw)
{
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glPushMatrix();
    glRotatef(30.0f, 1.0f, 2.0f, 0.5f);
    std::vector<GLfloat> buffer(1 << 16);
    glFeedbackBuffer(GLsizei(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    GLint used = glRenderMode(GL_RENDER);
    glPopMatrix();
    glDisable(GL_LIGHTING);
    glDisable(GL_LIGHT0);
    buffer.resize(used > 0 ? std::size_t(used) : 0);
    return buffer;
}

void drawImmediately(const legacy_gl::Primitive& primitive)
{
    glBegin(primitive.mode);
    for (const legacy_gl::Vertex& v : primitive.vertices) {
        glNormal3fv(v.normal.data());
        glVertex3fv(v.position.data());
    }
    glEnd();
}

class WebLayerTest : public GlTest {};

TEST_F(WebLayerTest, SpheresAreFreeglutsVertexForVertex)
{
    struct Case {
        double radius;
        int slices, stacks;
    };
    for (Case c : {Case{0.5, 10, 10}, Case{3.0, 8, 8}, Case{1.0, 5, 2}}) {
        SCOPED_TRACE(c.slices);
        std::vector<GLfloat> freeglut = feedbackOf([&] { glutSolidSphere(c.radius, c.slices, c.stacks); });
        std::vector<GLfloat> ours = feedbackOf([&] {
            for (const legacy_gl::Primitive& strip : legacy_gl::solidSphere(c.radius, c.slices, c.stacks))
                drawImmediately(strip);
        });
        ASSERT_GT(freeglut.size(), 100u);
        EXPECT_EQ(ours, freeglut);
    }
    EXPECT_TRUE(legacy_gl::solidSphere(1.0, 10, 1).empty()) << "freeglut draws nothing for one stack";
}

TEST_F(WebLayerTest, CubesAreFreeglutsVertexForVertex)
{
    for (double size : {1.0, 0.7, -0.3}) {
        SCOPED_TRACE(size);
        std::vector<GLfloat> freeglut = feedbackOf([&] { glutSolidCube(size); });
        std::vector<GLfloat> ours = feedbackOf([&] { drawImmediately(legacy_gl::solidCube(size)); });
        EXPECT_EQ(ours, freeglut);
    }
}

// Each level GLU builds, read back, against our halving of the level above.
TEST_F(WebLayerTest, MipmapLevelsAreGlusBoxFilter)
{
    struct Size {
        int width, height;
    };
    std::mt19937 random(7);
    for (Size size : {Size{64, 64}, Size{16, 4}, Size{2, 8}}) {
        SCOPED_TRACE(size.width * 1000 + size.height);
        std::vector<std::uint8_t> image(std::size_t(size.width) * size.height * 4);
        for (auto& byte : image)
            byte = std::uint8_t(random());
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        ASSERT_EQ(gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, size.width, size.height, GL_RGBA, GL_UNSIGNED_BYTE,
                                    image.data()),
                  0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        std::vector<std::uint8_t> level = image;
        int width = size.width, height = size.height;
        for (int n = 1; width > 1 || height > 1; ++n) {
            level = legacy_gl::halveImage(level.data(), width, height);
            width = width > 1 ? width / 2 : 1;
            height = height > 1 ? height / 2 : 1;
            std::vector<std::uint8_t> glu(level.size());
            glGetTexImage(GL_TEXTURE_2D, n, GL_RGBA, GL_UNSIGNED_BYTE, glu.data());
            EXPECT_EQ(level, glu) << "level " << n;
        }
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glBindTexture(GL_TEXTURE_2D, 0);
        glDeleteTextures(1, &texture);
    }
}

}  // namespace
