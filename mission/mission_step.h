// One step of a mission: the game moves on 41 times a second, however often the screen is drawn.
#pragma once

// Remembers where everything was (BeginWorldStep), then EaseAim, ReadMissionInput (the step's one
// read of the input), AdvanceMission, UpdateObjects and SteerAliens, in this order. Draws nothing.
void MissionStep();
