#pragma once

#include "platform/font_system.h"

#include <array>
#include <memory>
#include <string>

// The face a texture font is made of.
struct FontRequest {
    std::string faceName;
    int height;  // cell height in pixels
    bool bold;
    bool italic;
};

// Everything of a texture font that needs no GL context: the face, all 256
// codes drawn into the atlas image and measured, and the image's alpha made
// from its brightness. Built in three steps, open, drawGlyphs and
// deriveAlpha, or all at once with draw; the font takes it from there.
class GlyphAtlas {
public:
    // Looks the face up and makes the blank image. Null, with the reason in
    // `error`, when either cannot be had.
    static std::unique_ptr<GlyphAtlas> open(platform::FontContext& fonts, const FontRequest& request,
                                            std::string& error);
    // All three steps; null, with the reason in `error`, when the face cannot
    // be found or any of its glyphs cannot be drawn.
    static std::unique_ptr<GlyphAtlas> draw(platform::FontContext& fonts, const FontRequest& request,
                                            std::string& error);

    // Draws every code in its cell and measures it. False, with the reason
    // in `error`, when a glyph could not be loaded or drawn.
    bool drawGlyphs(std::string& error);
    // Gives every pixel an alpha equal to the mean of its colour bytes.
    void deriveAlpha();

    const FontRequest& request() const { return request_; }
    const platform::SystemFont& font() const { return *font_; }
    // The face, for the font that owns it from then on.
    std::unique_ptr<platform::SystemFont> takeFont() { return std::move(font_); }
    const platform::GlyphCanvas& image() const { return *image_; }
    platform::GlyphCanvas& image() { return *image_; }
    // The character's extent as drawGlyphs measured it.
    platform::CharExtent extent(unsigned char code) const { return extents_[code]; }

private:
    GlyphAtlas(FontRequest request, std::unique_ptr<platform::SystemFont> font,
               std::unique_ptr<platform::GlyphCanvas> image);

    FontRequest request_;
    std::unique_ptr<platform::SystemFont> font_;
    std::unique_ptr<platform::GlyphCanvas> image_;
    std::array<platform::CharExtent, 256> extents_{};
};
