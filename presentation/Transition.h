// The wipe between two backdrops: a white curtain grows across the screen over the old one,
// then draws back to the right over the new one, while the world stands still.
#pragma once

class Sprite;

// Each step is one frame of the modal pump, drawing the current game state under the
// backdrop; either backdrop may be null. Takes two seconds.
void transition(Sprite* oldBack, Sprite* newBack);
