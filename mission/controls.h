// The player's controls in a mission.
#pragma once

void EaseAim();           // frame slot 1: the crosshair trails the mouse by 10 pixels per axis
void ReadMissionInput();  // frame slot 2: polls keyboard, mouse and controller once and acts on them
