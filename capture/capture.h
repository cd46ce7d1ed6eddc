#pragma once

#include "app/window_size.h"

#include <functional>
#include <string>

struct CaptureOptions;

class OffscreenFrame;
class Show;

// Plays the show offscreen from frame 0 up to `lastFrame` through the show's
// own reshape and frame wrapper, so every frame is what the show draws in a
// window of `size`. After each frame `visit` gets the frame number and the
// offscreen frame holding its picture, and returns false to stop. Returns
// the number of frames rendered; none, with the reason in `error`, when the
// offscreen frame cannot be made.
int renderShow(Show& show, const WindowSize& size, int lastFrame,
               const std::function<bool(int frame, const OffscreenFrame& picture)>& visit, std::string& error);

// Where the picture of `frame` goes in the folder `dir`.
std::string pictureName(const std::string& dir, int frame);

// Writes the pictures and the video that `options` ask for, on the current
// GL context, reporting progress on stderr. Returns the exit status.
int runCapture(Show& show, const CaptureOptions& options);
