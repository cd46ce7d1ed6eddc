#pragma once

#include <cstdint>
#include <functional>
#include <vector>

struct CaptureOptions;

// Plays the show offscreen, 800 × 600, from frame 0 up to `lastFrame`
// through the show's own frame routine, so every frame is what the show
// draws. `wanted` says which frames to read back; `onFrame` receives them as
// RGB rows top-down and returns false to stop. Needs the show's GL state and
// cast (initScene) on the current context. Returns the frames rendered.
int renderShow(int lastFrame, const std::function<bool(int frame)>& wanted,
               const std::function<bool(int frame, const std::vector<std::uint8_t>& rgb)>& onFrame);

// Writes the pictures and the video that `options` ask for, on the current
// GL context, reporting progress on stderr. Returns the exit status.
int runCapture(const CaptureOptions& options);
