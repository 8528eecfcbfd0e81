// A mission's set-up, its own progress each frame and the object passes.
#pragma once

// Sets up a mission: frame rate 40, the ship, the debris, 40 aliens, the music fade-in.
void StartMission();

// Frame slot 3: music fade-in, approach, departure, destruction sequence and check, ship motion.
void AdvanceMission();

// Frame slot 4: the alien pass, the debris pass, the shot pass, the spark pass, the collision pass
// and the shake step, in this order.
void UpdateObjects();
