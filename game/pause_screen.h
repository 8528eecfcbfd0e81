// The pause of a mission: the world stands still under its title until the player goes on.
#pragma once

// Pauses the mission after its last frame: the music and every sound hold, a controller stops
// rumbling, the last frame stays on the screen dimmed with the pause's title over it on a darker
// band, F10 takes screenshots. P, Start or a click goes on; Escape, Back or closing the window abort
// the mission as they would in it. The time spent paused does not count towards the fire interval,
// and the pointer, the sticks and the trigger take nothing from it (ResumeMissionControls).
void RunPause();

// RunPause in steps: its start right after a mission frame, its frames until one returns true (the
// mission goes on or was aborted), and its end.
void StartPause();
bool PauseFrame();
void EndPause();
