#include "capture/png_writer.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

std::string writePng(const std::string& path, int width, int height, const std::uint8_t* rgbTopDown)
{
    // Opened here rather than by libpng, so that a failure names its cause.
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return "cannot create " + path + ": " + std::strerror(errno);

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = PNG_FORMAT_RGB;
    bool written = png_image_write_to_stdio(&image, file, 0, rgbTopDown, 0, nullptr) != 0;
    std::string error = written ? "" : image.message;
    png_image_free(&image);
    if (std::fclose(file) != 0 && error.empty())
        error = std::strerror(errno);
    return error.empty() ? std::string() : "cannot write " + path + ": " + error;
}
