#include "capture/png_writer.h"

#include <png.h>

#include <cerrno>
#include <cstring>

std::string writePng(std::FILE* file, const std::string& name, int width, int height,
                     const std::uint8_t* rgbBottomUp)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = PNG_FORMAT_RGB;
    // A negative stride hands libpng the rows top-down without moving them.
    errno = 0;
    bool written = png_image_write_to_stdio(&image, file, 0, rgbBottomUp, -png_int_32(width) * 3, nullptr) != 0;
    // libpng says only "Write Error"; the system's reason is the useful one.
    std::string error = written ? "" : errno != 0 ? std::strerror(errno) : image.message;
    png_image_free(&image);
    if (std::fclose(file) != 0 && error.empty())
        error = std::strerror(errno);
    return error.empty() ? std::string() : "cannot write " + name + ": " + error;
}
