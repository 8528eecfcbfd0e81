// The game's effects as the player has switched them: the sounds, a controller's rumble, and the
// music loop with its switch.
#pragma once

// Plays sound `slot` (looping unless loop is 0) only while sound effects are switched on.
void PlayEffect(int slot, int loop);

// Flips musicOn; switched on, the music loop starts again from its beginning, switched off it stops.
void ToggleMusic();

// Flips soundOn; effects already playing play on.
void ToggleEffects();

// Rumbles a controller that can, like a sound effect only while effects are switched on: a short,
// light one for a hit on the hull, a long, full one for the final blast.
void RumbleForHit();
void RumbleForFinalBlast();
