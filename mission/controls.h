// The player's controls in a mission.
#pragma once

void EaseAim();           // frame slot 1: the crosshair trails the mouse by 10 pixels per axis
void ReadMissionInput();  // frame slot 2: polls keyboard, mouse and controller once and acts on them

// The controller's sticks move the pointer as the mouse does, after the frame's polls: past a dead
// zone the speed grows with the square of the deflection up to 900 pixels a second, so that a full
// deflection crosses the screen in about a second and a small one aims precisely. The time between
// calls is measured, not counted in frames; fractions of a pixel carry over to the next call.
void MovePointerBySticks();

// After a pause: the pointer stands where the mission last took it, the sticks count their time
// afresh, and a trigger held now (the click that ended the pause) fires only once it was let go.
void ResumeMissionControls();
