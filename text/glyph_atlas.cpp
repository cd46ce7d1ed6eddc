#include "text/glyph_atlas.h"

#include "text/atlas_geometry.h"

GlyphAtlas::GlyphAtlas(FontRequest request, std::unique_ptr<platform::SystemFont> font,
                       std::unique_ptr<platform::GlyphCanvas> image)
    : request_(std::move(request)), font_(std::move(font)), image_(std::move(image))
{
}

std::unique_ptr<GlyphAtlas> GlyphAtlas::open(platform::FontContext& fonts, const FontRequest& request,
                                             std::string& error)
{
    std::unique_ptr<platform::SystemFont> font =
        platform::SystemFont::open(fonts, request.faceName, request.height, request.bold, request.italic, error);
    if (!font)
        return nullptr;
    std::unique_ptr<platform::GlyphCanvas> image = platform::GlyphCanvas::create(atlasSize, atlasSize, error);
    if (!image) {
        error = "cannot create the glyph atlas image of \"" + request.faceName + "\": " + error;
        return nullptr;
    }
    return std::unique_ptr<GlyphAtlas>(new GlyphAtlas(request, std::move(font), std::move(image)));
}

std::unique_ptr<GlyphAtlas> GlyphAtlas::draw(platform::FontContext& fonts, const FontRequest& request,
                                             std::string& error)
{
    std::unique_ptr<GlyphAtlas> atlas = open(fonts, request, error);
    if (!atlas || !atlas->drawGlyphs(error))
        return nullptr;
    atlas->deriveAlpha();
    return atlas;
}

bool GlyphAtlas::drawGlyphs(std::string& error)
{
    for (int code = 0; code < 256; ++code) {
        auto character = static_cast<unsigned char>(code);
        CellOrigin origin = cellOrigin(code, request_.italic);
        image_->drawCharacter(*font_, character, origin.x, origin.y);
        extents_[code] = font_->extent(character);
    }
    if (!font_->glyphError().empty()) {
        error = "cannot use font \"" + request_.faceName + "\": " + font_->glyphError();
        return false;
    }
    return true;
}

void GlyphAtlas::deriveAlpha()
{
    ::deriveAlpha(image_->pixels(), atlasPixelCount);
}
