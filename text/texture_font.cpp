#include "text/atlas_geometry.h"
#include "text/font.h"
#include "text/glyph_atlas.h"
#include "text/glyph_list.h"

#include <GL/glu.h>

#include <memory>

TextureFont::TextureFont(std::unique_ptr<platform::SystemFont> systemFont) : Font(std::move(systemFont)) {}

std::unique_ptr<TextureFont> TextureFont::create(std::unique_ptr<GlyphAtlas> atlas, std::string& error)
{
    std::unique_ptr<TextureFont> font(new TextureFont(atlas->takeFont()));
    if (!font->build(*atlas, error))
        return nullptr;
    return font;
}

bool TextureFont::build(const GlyphAtlas& atlas, std::string& error)
{
    const FontRequest& request = atlas.request();
    for (int code = 0; code < 256; ++code) {
        platform::OutlineMetrics m = systemFont().outlineMetrics(static_cast<unsigned char>(code));
        glyphMetrics_[code] = GlyphMetricsFloat{m.blackBoxX, m.blackBoxY, {m.originX, m.originY},
                                               m.cellIncX, m.cellIncY};
    }
    if (!systemFont().glyphError().empty()) {
        error = "cannot use font \"" + request.faceName + "\": " + systemFont().glyphError();
        return false;
    }

    for (int code = 0; code < 256; ++code) {
        platform::CharExtent extent = atlas.extent(static_cast<unsigned char>(code));
        // The quad is the character's cell-high box; the advance comes from
        // the outline (em square, smaller than the cell), so neighbouring
        // quads stand slightly apart.
        compileGlyphList(listBase() + GLuint(code),
                         glyphQuad(cellOrigin(code, request.italic), extent.cx, extent.cy, request.height),
                         glyphMetrics_[code].gmfCellIncX);
    }

    // Uploading must not disturb the caller's texture binding.
    glPushAttrib(GL_TEXTURE_BIT);
    glGenTextures(1, &atlasTexture_);
    glBindTexture(GL_TEXTURE_2D, atlasTexture_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    GLint status = gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, atlasSize, atlasSize, GL_RGBA,
                                     GL_UNSIGNED_BYTE, atlas.image().pixels());
    glPopAttrib();
    if (status != 0) {
        error = "cannot upload the glyph atlas of \"" + request.faceName + "\": " +
                reinterpret_cast<const char*>(gluErrorString(GLenum(status)));
        return false;
    }

    releaseSystemFont();

    glBindTexture(GL_TEXTURE_2D, atlasTexture_);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    return true;
}

TextureFont::~TextureFont()
{
    glDeleteTextures(1, &atlasTexture_);
}

// Drawing text switches blending and texturing on and binds the atlas. The
// attribute stack brings texturing and the caller's binding back afterwards;
// blending is then switched off whatever it was, which the show relies on.
void TextureFont::beginText()
{
    glPushAttrib(GL_TEXTURE_BIT | GL_COLOR_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, atlasTexture_);
}

void TextureFont::endText()
{
    glPopAttrib();
    glDisable(GL_BLEND);
}

int TextureFont::print(const char* format, ...)
{
    beginText();
    va_list arguments;
    va_start(arguments, format);
    int count = renderText(format, arguments);
    va_end(arguments);
    endText();
    return count;
}

int TextureFont::printCentered(const char* format, ...)
{
    char text[textBufferSize];
    va_list arguments;
    va_start(arguments, format);
    formatText(text, format, arguments);
    va_end(arguments);

    glPushMatrix();
    glTranslatef(-0.5f * widthOf(text), 0.0f, 0.0f);
    int count = print("%s", text);
    glPopMatrix();
    return count;
}

void TextureFont::drawGlyph(char c)
{
    beginText();
    glCallList(listBase() + static_cast<unsigned char>(c));
    endText();
}

float TextureFont::measure(const char* format, ...)
{
    char text[textBufferSize];
    va_list arguments;
    va_start(arguments, format);
    formatText(text, format, arguments);
    va_end(arguments);
    return widthOf(text);
}

float TextureFont::widthOf(const char* text) const
{
    double width = 0.0;
    for (const char* c = text; *c; ++c)
        width += glyphMetrics_[static_cast<unsigned char>(*c)].gmfCellIncX;
    return float(width);
}
