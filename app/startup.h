#pragma once

#include "app/show.h"

#include <functional>
#include <memory>
#include <string>

// The show's start-up, the same steps in the same order for every program
// that plays it (the show, the page, the capture, the benchmark).
enum class StartupStep {
    allocator,      // the memory allocator set up for the start-up's large blocks
    windowAndFont,  // the program's window opened, the font's atlas drawn beside it
    fontWait,       // waiting for the atlas, where the window was quicker
    initScene,      // the fixed GL state and the cast, the font's lists and texture
    firstFrame,     // the first frame, where the program draws it itself
};

// What a step is, for people.
const char* describe(StartupStep step);

// Runs one step's work; the benchmark's times it, the page's reports it.
using StepRunner = std::function<void(StartupStep step, const std::function<void()>& work)>;

// What differs from one program to the next.
struct StartupActions {
    // Opens the program's window and makes its GL context current. Returns
    // an empty string, or one line saying why not.
    std::function<std::string()> openWindow;
    // Draws the first frame; empty where the program's main loop draws it.
    std::function<void(Show& show)> firstFrame;
    // Where the program has no threads: the atlas drawn in the wait instead.
    PendingGlyphAtlas::Start fontStart = PendingGlyphAtlas::Start::beside;
};

// Takes the steps through `run`. Null, with the reason in `error`, when the
// window or the font cannot be had; the steps after the failing one are not
// taken.
std::unique_ptr<Show> startShow(const StartupActions& actions, std::string& error,
                                const StepRunner& run = [](StartupStep, const std::function<void()>& work) { work(); });
