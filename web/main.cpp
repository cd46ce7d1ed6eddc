// The show in a web page. The browser owns the loop: each pass of
// emscripten_set_main_loop does what one turn of GLUT's native main loop
// does (one idle step, then one display), and GLUT's first display comes
// before the first idle, as natively.
#include "app/shell.h"
#include "app/show.h"
#include "app/startup.h"
#include "app/timeline.h"
#include "app/window_size.h"
#include "platform/process_end.h"

#include <GL/glut.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <vector>

namespace {

struct KeyPress {
    unsigned char key;
    int x, y;
};

// Keys wait for the start of the next pass, as GLUT's native loop hands
// events over between frames. The show may end the program on a key, and
// only inside a pass can a page's program end cleanly: from the browser's
// key handler the exit would surface as an uncaught exception.
std::vector<KeyPress> pendingKeys;

void keyPressed(unsigned char key, int x, int y)
{
    pendingKeys.push_back(KeyPress{key, x, y});
}

const char* sceneName(Scene scene)
{
    switch (scene) {
    case Scene::intro: return "scene 1";
    case Scene::reset: return "between scenes";
    case Scene::release: return "scene 2";
    case Scene::outro: return "scene 3";
    case Scene::greetings: return "scene 4";
    case Scene::end: return "the end";
    }
    return "";
}

// Tells the page which frame was just drawn, while its pixels are still in
// the drawing buffer (Module.onFrame, when the page has one).
EM_JS(void, frameDrawn, (int frame, const char* scene), {
    if (Module['onFrame'])
        Module['onFrame'](frame, UTF8ToString(scene));
});

// Gives the drawing buffer the size the page asks for (Module.wantedCanvasSize:
// the screen's in full screen, else the show's own, which `width` and
// `height` bring) and tells the show, as a native window's resize does. True
// when the size changed.
EM_JS(int, followCanvasSize, (int* width, int* height), {
    var size = Module['wantedCanvasSize'] ? Module['wantedCanvasSize']() : [HEAP32[width >> 2], HEAP32[height >> 2]];
    var canvas = Module['canvas'];
    if (!(size[0] >= 1 && size[1] >= 1) || (canvas.width == size[0] && canvas.height == size[1]))
        return 0;
    canvas.width = size[0];
    canvas.height = size[1];
    HEAP32[width >> 2] = size[0];
    HEAP32[height >> 2] = size[1];
    return 1;
});

// Tells the page how far the start has come (Module.onStartupStep, when the
// page has one), so that the time to the first frame can be told apart.
EM_JS(void, startupStep, (const char* step), {
    if (Module['onStartupStep'])
        Module['onStartupStep'](UTF8ToString(step));
});

// Set when the browser takes the WebGL context away (a GPU reset, a driver
// update). The show's texture and display lists went with it; drawing on
// would show nothing, so the next pass ends the show instead.
bool contextLost = false;

EM_BOOL lostContext(int, const void*, void*)
{
    contextLost = true;
    return EM_TRUE;
}

void drawn()
{
    float frame = theShow().frame();
    frameDrawn(int(frame), sceneName(sceneFor(frame)));
}

void pass()
{
    if (contextLost) {
        std::fprintf(stderr, "starwhirl: the graphics context was lost (the graphics card was reset or its driver "
                             "changed); reload the page to start the show again\n");
        platform::endProcess(1);
    }
    int width = showWindowSize.width, height = showWindowSize.height;
    if (followCanvasSize(&width, &height))
        reshape(width, height);
    std::vector<KeyPress> keys;
    keys.swap(pendingKeys);
    for (const KeyPress& press : keys)
        keyboard(press.key, press.x, press.y);
    idle();
    display();
    drawn();
}

}  // namespace

int main(int argc, char** argv)
{
    StartupActions startup;
    startup.openWindow = [&]() -> std::string {
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
        glutInitWindowSize(showWindowSize.width, showWindowSize.height);
        if (glutCreateWindow("starwhirl") == 0)
            return "this browser gives the page no WebGL; the show needs WebGL 1 (it may be switched off in the "
                   "browser's settings)";
        emscripten_set_webglcontextlost_callback("#canvas", nullptr, EM_FALSE, lostContext);
        glutKeyboardFunc(keyPressed);
        reshape(showWindowSize.width, showWindowSize.height);
        return {};
    };
    startup.firstFrame = [](Show& show) { show.display(); };
    // A page has no threads, and without exceptions the attempt to start one
    // would end the program.
    startup.fontStart = PendingGlyphAtlas::Start::whenTaken;
    // The page hears of the context and of initScene, to tell the time to
    // the first frame apart.
    std::string error;
    StepRunner reported = [&error](StartupStep step, const std::function<void()>& work) {
        work();
        if (step == StartupStep::windowAndFont && error.empty())
            startupStep("webgl-context");
        if (step == StartupStep::initScene && error.empty())
            startupStep("init-scene");
    };
    std::unique_ptr<Show> show = startShow(startup, error, reported);
    if (!show) {
        std::fprintf(stderr, "starwhirl: %s\n", error.c_str());
        platform::endProcess(1);
    }
    adoptShow(std::move(show));
    drawn();
    // 0: at the browser's display refresh; 1: main does not return.
    emscripten_set_main_loop(pass, 0, 1);
    return 0;
}
