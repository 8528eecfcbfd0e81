// The game's sounds as the player has switched them: the effects, and the music loop with its switch.
#pragma once

// Plays sound `slot` (looping unless loop is 0) only while sound effects are switched on.
void PlayEffect(int slot, int loop);

// Flips musicOn; switched on, the music loop starts again from its beginning, switched off it stops.
void ToggleMusic();

// Flips soundOn; effects already playing play on.
void ToggleEffects();
