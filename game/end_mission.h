// The end of a mission: silence and no rumble, the score of a won mission, the name entry for a qualifying
// one.
#pragma once

void EndMission();
// The score of a won mission from missionStartTime, shotsFired, hull and energy.
int WinScore();
