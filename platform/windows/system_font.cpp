#include "platform/windows/gdi_font.h"

#include <GL/gl.h>

#include <string>

namespace platform {

SystemFont::Native::~Native()
{
    if (font)
        DeleteObject(font);
}

SystemFont::SystemFont(std::unique_ptr<Native> native) : native_(std::move(native)), measures_(*native_) {}

SystemFont::~SystemFont() = default;

std::unique_ptr<SystemFont> SystemFont::open(FontContext& context, const std::string& faceName, int height,
                                             bool bold, bool italic, std::string& error)
{
    HDC screen = context.native().screen;
    if (!screen) {
        error = "cannot look up font \"" + faceName + "\": there is no screen to draw on";
        return nullptr;
    }
    if (height <= 0) {
        error = "cell height " + std::to_string(height) + " is not a positive number of pixels";
        return nullptr;
    }
    // A positive height asks GDI for the cell height, ascent plus descent.
    HFONT font = CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, FALSE, FALSE, ANSI_CHARSET,
                             OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                             faceName.c_str());
    if (!font) {
        error = "cannot create font \"" + faceName + "\": " + windowsError();
        return nullptr;
    }
    auto native = std::make_unique<Native>();
    native->font = font;
    native->screen = screen;

    HGDIOBJ previous = SelectObject(screen, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen, &metrics);
    native->ascent = metrics.tmAscent;
    native->cellHeight = metrics.tmHeight;
    char face[LF_FACESIZE] = {};
    GetTextFaceA(screen, sizeof face, face);
    native->face = face;
    // GDI never refuses a name: it gives the closest face it has, which may
    // be none at all, or a bitmap face with no outlines for the advances to
    // come from, drawn at a size of its own. Only an outline face draws the
    // atlas and gives the advances alike.
    bool outline = GetOutlineTextMetricsA(screen, 0, nullptr) > 0;
    if (face[0] == '\0' || metrics.tmHeight <= 0 || !outline) {
        SelectObject(screen, previous);
        error = face[0] == '\0' || metrics.tmHeight <= 0
                    ? "cannot find font \"" + faceName + "\": Windows knows no font that could stand in for it"
                    : "cannot find font \"" + faceName + "\": the closest font Windows knows, \"" +
                          native->face + "\", is a bitmap font, not an outline (TrueType) font";
        return nullptr;
    }
    for (int code = 0; code < 256; ++code) {
        char c = char(code);
        SIZE size{};
        GetTextExtentPoint32A(screen, &c, 1, &size);
        native->extents[code] = CharExtent{int(size.cx), int(size.cy)};
    }
    SelectObject(screen, previous);
    return std::make_unique<SystemFont>(std::move(native));
}

CharExtent SystemFont::extent(unsigned char code) const
{
    return native_->extents[code];
}

OutlineMetrics SystemFont::outlineMetrics(unsigned char code) const
{
    Native& font = *native_;
    if (!font.outlinesRead) {
        font.outlinesRead = true;
        // wglUseFontOutlinesA also compiles the outlines into display lists;
        // only the metrics are wanted, so the lists go again at once.
        GLYPHMETRICSFLOAT glyphs[256] = {};
        GLuint lists = glGenLists(256);
        HGDIOBJ previous = SelectObject(font.screen, font.font);
        BOOL done = wglUseFontOutlinesA(font.screen, 0, 256, lists, 0.0f, 0.0f, WGL_FONT_POLYGONS, glyphs);
        SelectObject(font.screen, previous);
        glDeleteLists(lists, 256);
        if (!done)
            font.glyphError = "cannot read the outlines of font \"" + font.face + "\" (wglUseFontOutlinesA: " +
                              windowsError() + ")";
        for (int c = 0; c < 256; ++c) {
            const GLYPHMETRICSFLOAT& g = glyphs[c];
            font.outlines[c] = OutlineMetrics{g.gmfBlackBoxX, g.gmfBlackBoxY, g.gmfptGlyphOrigin.x,
                                              g.gmfptGlyphOrigin.y, g.gmfCellIncX, g.gmfCellIncY};
        }
    }
    return font.outlines[code];
}

}  // namespace platform
