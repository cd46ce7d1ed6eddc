#pragma once

// The script of the show as plain arithmetic: which part of the show a frame
// belongs to, what it presents, and the texts it scrolls.

extern const char introText[];
extern const char releaseText[];
extern const char outroText[];
extern const char greetingsText[];

enum class Scene {
    intro,      // scene 1: the welcome line
    reset,      // a blank frame between scenes that rewinds the scroller
    release,    // scene 2: the release note and the spinner
    outro,      // scene 3: the closing remark and the solar system
    greetings,  // scene 4: the greetings and the solar system
    end,
};

// The show's frames are 0 to endFrame - 1; at endFrame the program quits.
constexpr int endFrame = 4200;
// The blank frames between the scenes, in order.
constexpr float resetFrames[] = {700.0f, 1900.0f, 3000.0f};

// Which part of the show a frame number belongs to.
Scene sceneFor(float frame);

// Where the scroller stands when `frame` is drawn in a show played from frame
// 0 with every frame drawn once: 100 at the start, one lower after each text
// drawn, 90 again after each reset frame.
float scrollerBefore(float frame);

// How often a frame of this scene is presented: the scene objects present
// the frame themselves, and the frame wrapper presents it once more.
int presentationsFor(Scene scene);
