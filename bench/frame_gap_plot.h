#pragma once

#include <string>
#include <vector>

// Draws the gap before each frame's console line against the frame number,
// for one run of the show and one of the floor, with the four scenes marked,
// as BASE.svg and BASE.png (gnuplot). Returns an empty string, or why no
// plot could be drawn.
std::string plotFrameGaps(const std::vector<double>& showLineMs, const std::vector<double>& floorLineMs,
                          const std::string& base);
