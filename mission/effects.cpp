// The game's effects as the player has switched them.
#include "mission/effects.h"

#include "media/slots.h"
#include "mission/game_state.h"
#include "platform/gamepad.h"
#include "platform/sound.h"

void PlayEffect(int slot, int loop) {
  if (game.soundOn == 1) PlayWave(slot, loop);
}

void ToggleMusic() {
  game.musicOn = 1 - game.musicOn;
  if (game.musicOn == 1) {
    PlayWave(kMusicLoop, 1);
  } else {
    StopWave(kMusicLoop);
  }
}

void ToggleEffects() {
  game.soundOn = 1 - game.soundOn;
}

void RumbleForHit() {
  if (game.soundOn == 1) RumblePad(0.5, 150);
}

void RumbleForFinalBlast() {
  if (game.soundOn == 1) RumblePad(1.0, 1200);
}
