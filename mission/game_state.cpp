// The one instance of the game's state.
#include "mission/game_state.h"

GameState game;

void ResetGameState() {
  game = GameState{};
  world = World{};
}
