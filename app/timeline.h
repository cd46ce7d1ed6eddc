#pragma once

// Creates the objects the show draws; called once at the end of initScene.
void createCast();

// Draws the frame that frameCount selects; called by display between its
// matrix push and pop.
void drawFrame();
