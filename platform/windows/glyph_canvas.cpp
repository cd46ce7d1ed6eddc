#include "platform/windows/gdi_font.h"

#include <string>

namespace platform {

struct GlyphCanvas::Native {
    HDC memory = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previousBitmap = nullptr;
    // GDI releases a bitmap only once no drawing context holds it.
    ~Native()
    {
        SelectObject(memory, previousBitmap);
        DeleteObject(bitmap);
        DeleteDC(memory);
    }
};

GlyphCanvas::NativePointer GlyphCanvas::allocate(int width, int height, std::uint8_t*& pixels,
                                                           std::string& error)
{
    HDC memory = CreateCompatibleDC(nullptr);
    if (!memory) {
        error = "cannot make a drawing context for a " + std::to_string(width) + " x " + std::to_string(height) +
                " image: " + windowsError();
        return nullptr;
    }
    // Positive height: rows stored bottom-up, as GL takes textures.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) {
        error = "cannot allocate " + std::to_string(std::size_t(width) * height * 4) + " bytes for a " +
                std::to_string(width) + " x " + std::to_string(height) + " image: " + windowsError();
        DeleteDC(memory);
        return nullptr;
    }
    NativePointer native(new Native);
    native->memory = memory;
    native->bitmap = bitmap;
    native->previousBitmap = SelectObject(memory, bitmap);
    SetBkMode(memory, TRANSPARENT);
    SetTextColor(memory, RGB(255, 255, 255));
    pixels = static_cast<std::uint8_t*>(bits);
    return native;
}

void GlyphCanvas::drawCharacter(const SystemFont& font, unsigned char code, int x, int y)
{
    HGDIOBJ previous = SelectObject(native_->memory, font.native().font);
    char c = char(code);
    TextOutA(native_->memory, x, y, &c, 1);
    SelectObject(native_->memory, previous);
    GdiFlush();
}

}  // namespace platform
