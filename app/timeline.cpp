#include "app/timeline.h"

// The cast and the script of scenes arrive with the text and scene objects;
// until then every frame is the cleared background.
void createCast() {}

void drawFrame() {}
