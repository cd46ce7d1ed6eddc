#include "app/png_writer.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

void raiseError(png_structp png, png_const_charp message)
{
    auto* error = static_cast<std::string*>(png_get_error_ptr(png));
    *error = message;
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

}  // namespace

std::string writePng(const std::string& path, int width, int height, const std::uint8_t* rgbTopDown)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return "cannot create " + path + ": " + std::strerror(errno);

    std::string error;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, raiseError, ignoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_write_struct(&png, nullptr);
        std::fclose(file);
        return "cannot start writing " + path + ": out of memory";
    }
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int row = 0; row < height; ++row)
            png_write_row(png, rgbTopDown + std::size_t(row) * width * 3);
        png_write_end(png, nullptr);
    }
    png_destroy_write_struct(&png, &info);
    if (std::fclose(file) != 0 && error.empty())
        error = std::strerror(errno);
    return error.empty() ? std::string() : "cannot write " + path + ": " + error;
}
