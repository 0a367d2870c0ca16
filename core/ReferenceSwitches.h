// The reference switches of qor, in one place. Each speed-up keeps the plain code path it
// replaced behind a switch; its equivalence test plays both paths and compares what they
// leave, bit for bit. The game never changes them. HACKING.md lists each speed-up with its
// switch, its equivalence test and its benchmark.
#pragma once

// Compares the collision response on plain corners (cleared, the game) with the response
// step by step on rectangles, as the steps are written (set).
extern bool bCollideWithRects;

// Compares marking a shooter's entry in the ship list and settling the list before it is read
// (cleared, the game) with moving the shooter in the plain list, one erase and one append per
// shot (set).
extern bool bMoveShootersInPlace;

// Compares the object pass that passes resting objects over (cleared, the game) with the pass
// that processes every object (set).
extern bool bProcessRestingObjects;

// Compares drawing through the camera that skips what cannot reach the screen (set, the game)
// with drawing everything (cleared).
extern bool bCullOffScreen;
