// The sound slots of the game: what the resource catalogue loads into each, and who plays it.
#pragma once

constexpr int kExplosionSound = 0;  // "expl1.wav": a destroyed alien, louder the nearer it was
constexpr int kShotSound = 1;       // "fire.wav": a volley of the player
constexpr int kClickSound = 2;      // "click.wav": a menu button
constexpr int kMusicLoop = 5;       // "loop.wav": the music, looping; played directly, not as an effect
