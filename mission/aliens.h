// The alien ships of a mission and the debris of the background.
#pragma once

// Appends an alien of type 1, 2 or 3 at (x, y) and depth z (types 2 and 3 start 3000 and 6000
// deeper) with a random drift of -300 to +300. Other types get no hit points, box or speed.
void SpawnAlien(int x, int y, int z, int type);

// Step 1 of UpdateObjects: moves the aliens, lets armed ones fire and blows up the used-up ones.
void AlienPass();

// Step 2 of UpdateObjects: turns the debris and brings pieces left behind round to the front.
void DebrisPass();

// Volume of the explosion of an alien at depth z: 800 / z x 1000, limited to 0 to 100.
int ExplosionVolume(float z);

// The end of every mission step, after UpdateObjects: each alien within the 61 depth slices is
// steered and armed by where it appears on the screen. Above the top (its top edge above 75) or
// below 450 it moves 200 units down or up, a move that is drawn from the next step on; it is armed
// while its centre lies strictly between the screen's edges; after the approach, one far off to
// either side turns back towards the ship.
void SteerAliens();
