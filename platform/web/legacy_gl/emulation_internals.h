#pragma once

// The one place the web layer reaches into the emulation's own JavaScript
// state, for what no GL entry point of it offers. Written against
// Emscripten 3.1.6; the build stops on any other version.

namespace legacy_gl {

// The material's emission, which the emulation's lighting shader adds but
// which its glMaterialfv refuses ("TODO").
void setEmission(float red, float green, float blue, float alpha);

}  // namespace legacy_gl
