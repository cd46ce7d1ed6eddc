#include "platform/process_end.h"

#include <emscripten.h>

#include <cstdio>

namespace platform {

// exit() would leave a page's main loop and its runtime running; a forced
// exit stops both and hands the status to the page (Module.onExit).
void endProcess(int status)
{
    std::fflush(stdout);
    std::fflush(stderr);
    emscripten_force_exit(status);
    __builtin_unreachable();
}

}  // namespace platform
