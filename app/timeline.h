#pragma once

class Font;
class SolarSystem;
class Spinner;

// The text scroller: 100 at start, 1 lower after each drawn text, back to 90
// at each scene change.
extern float scrollX;

extern SolarSystem* theSolarSystem;
extern Spinner* theSpinner;
extern Font* theFont;

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

// Which part of the show a frame number belongs to.
Scene sceneFor(float frame);

// Creates the objects the show draws; called once at the end of initScene.
void createCast();

// Draws the frame that frameCount selects; called by display between its
// matrix push and pop. Ends the process when the show is over.
void drawFrame();
