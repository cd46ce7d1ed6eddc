#pragma once

#include "platform/memory_room.h"

#include <string>

// When `room` is too small for what the show needs to start (OpenGL's
// driver, the font's images), one line for after `what` failed: "WHAT for
// want of memory: ...", saying which limit and how much the show needs;
// else nothing, and the failure had another cause.
std::string shortOfMemory(const std::string& what, const platform::MemoryRoom& room);
