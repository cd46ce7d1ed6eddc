#include "platform/web/legacy_gl/mipmaps.h"

#include <cstddef>

namespace legacy_gl {

std::vector<std::uint8_t> halveImage(const std::uint8_t* rgba, int width, int height)
{
    int halfWidth = width > 1 ? width / 2 : 1;
    int halfHeight = height > 1 ? height / 2 : 1;
    std::size_t row = std::size_t(width) * 4;
    std::size_t right = width > 1 ? 4 : 0;
    std::size_t down = height > 1 ? row : 0;
    std::vector<std::uint8_t> half(std::size_t(halfWidth) * halfHeight * 4);
    std::uint8_t* out = half.data();
    for (int y = 0; y < halfHeight; ++y) {
        const std::uint8_t* in = rgba + std::size_t(y) * (down ? 2 * row : row);
        for (int x = 0; x < halfWidth; ++x, in += 2 * right) {
            for (int c = 0; c < 4; ++c) {
                // GLU rounds the mean of four and truncates the mean of two.
                if (right && down)
                    *out++ = std::uint8_t((in[c] + in[c + right] + in[c + down] + in[c + down + right] + 2) / 4);
                else
                    *out++ = std::uint8_t((in[c] + in[c + right + down]) / 2);
            }
        }
    }
    return half;
}

}  // namespace legacy_gl
