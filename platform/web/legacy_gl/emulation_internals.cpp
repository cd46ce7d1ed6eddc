#include "platform/web/legacy_gl/emulation_internals.h"

#include <emscripten.h>

// GLEmulation.materialEmission is the emulation's internal record of the
// material; its name and shape are those of Emscripten 3.1.6's
// library_glemu.js. Another version must be checked against that file first.
static_assert(__EMSCRIPTEN_major__ == 3 && __EMSCRIPTEN_minor__ == 1 && __EMSCRIPTEN_tiny__ == 6,
              "platform/web/legacy_gl reaches into Emscripten 3.1.6's GL emulation: check "
              "emulation_internals.cpp against this version's library_glemu.js");

namespace legacy_gl {

// Stops the page with a message, not a wrong picture, if the record is not
// where it was.
EM_JS(void, setEmulatedEmission, (float red, float green, float blue, float alpha), {
    if (typeof GLEmulation === 'undefined' || !(GLEmulation.materialEmission instanceof Float32Array))
        abort('starwhirl: the GL emulation keeps no GLEmulation.materialEmission; platform/web/legacy_gl ' +
              'was written against Emscripten 3.1.6 and must be checked against this version');
    GLEmulation.materialEmission.set([red, green, blue, alpha]);
});

void setEmission(float red, float green, float blue, float alpha)
{
    setEmulatedEmission(red, green, blue, alpha);
}

}  // namespace legacy_gl
