// The end of a mission: silence and no rumble, the score of a won mission, the name entry for a qualifying
// one.
#include "game/end_mission.h"

#include <cstdint>

#include "game/name_entry_screen.h"
#include "highscore/highscore_table.h"
#include "mission/game_state.h"
#include "mission/rounding.h"
#include "platform/gamepad.h"
#include "platform/sound.h"

namespace {

// 100000 / divisor truncated towards zero. A divisor of 0 (no shot counted, or a mission started
// at tick count 0) gives 0. With this dividend no quotient can overflow, also for a negative
// tick count.
int HundredThousandOver(int divisor) {
  if (divisor == 0) return 0;
  return 100000 / divisor;
}

// Sums wrap around at 32 bits instead of overflowing.
int Wrap32(std::int64_t value) {
  return static_cast<std::int32_t>(value);
}

}  // namespace

int WinScore() {
  // The first term divides by the tick count at the start, not by the mission's duration: it is 0
  // for any mission started more than 100 seconds after the computer was switched on.
  int result = HundredThousandOver(game.missionStartTime);
  result += HundredThousandOver(game.shotsFired);
  result = Wrap32(std::int64_t{result} + std::int64_t{game.hull} * 20);
  // energy * 20.0 is exact in double precision; the points collected in the mission do not count.
  return RoundToInt(static_cast<double>(game.energy) * 20.0 + result);
}

void EndMission() {
  StopWave(kAllWaves);  // the music as well; it starts again with the next mission
  StopPadRumble();      // the final blast's runs on for more than a second
  if (game.missionResult == MissionResult::kRunningOrWon) game.score = WinScore();
  // Every outcome is offered a place: an aborted or lost mission keeps its collected points.
  if (HighscorePosition(game.score) != 0) RunNameEntry();
}
