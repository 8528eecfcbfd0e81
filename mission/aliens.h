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
