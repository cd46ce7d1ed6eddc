#include "platform/freetype/freetype_font.h"
#include "platform/web/bundled_font.h"

namespace platform {

// Every face name resolves to the one face bundled with the page, as a
// system answers a name it lacks with its closest face. The bundled face is
// a regular upright one: bold and italic are drawn synthetically.
std::unique_ptr<SystemFont> SystemFont::open(FontContext& context, const std::string& faceName, int height,
                                             bool bold, bool italic, std::string& error)
{
    std::unique_ptr<SystemFont> font =
        openFontData(context, "the page's bundled face", bundledFace, bundledFaceSize, 0, height, bold, italic, error);
    if (!font)
        error = "cannot use font \"" + faceName + "\": " + error;
    return font;
}

}  // namespace platform
