#pragma once

#include <cstdint>
#include <vector>

namespace legacy_gl {

// An RGBA image of width x height halved in each dimension that is above 1,
// each texel the mean of the 2 x 2 (or 2 x 1) texels under it, rounded as
// GLU's box filter rounds it.
std::vector<std::uint8_t> halveImage(const std::uint8_t* rgba, int width, int height);

}  // namespace legacy_gl
