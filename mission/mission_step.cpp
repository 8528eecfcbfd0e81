// One step of a mission.
#include "mission/mission_step.h"

#include "mission/aliens.h"
#include "mission/controls.h"
#include "mission/mission_progress.h"
#include "mission/world.h"

void MissionStep() {
  BeginWorldStep();
  EaseAim();
  ReadMissionInput();
  AdvanceMission();
  UpdateObjects();
  // Where an alien appears on the screen steers it: the last thing a step does, on the world as the
  // frames after it show it.
  SteerAliens();
}
