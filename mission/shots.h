// Shots of the player and of the aliens: firing, flight, hits on the ship and hits on aliens.
#pragma once

#include "mission/game_state.h"

// Fires one volley of the selected weapon from the ship towards the crosshair.
void FireWeapon();

// Milliseconds until a held trigger may fire the next volley: 0 or below once it may. Tick counts
// are compared by their difference only, so the trigger works at any uptime and across the wrap; a
// due time further ahead than any weapon's interval is stale and counts as long past.
int UntilNextVolley();

// UntilNextVolley in `milliseconds`; false when the interval ended more than a frame ago, so that a
// trigger held since would have fired: none is held.
bool NextVolleyIn(int& milliseconds);

// Fires one shot from `alien` towards the ship's position, scattered by up to 3 heading units.
void FireAlienShot(const Alien& alien);

// Direction from (x1, y1) to (x2, y2) in heading units: 0 along +x, 89.54 along +y, 179.07
// along -x, 268.46 along -y (57 per radian, mirrored at 358). 0 for two equal points.
float AngleTo(int x1, int y1, int x2, int y2);

// Step 3 of UpdateObjects: moves every shot, lets alien shots strike the ship, drops spent shots.
void ShotPass();

// Step 5 of UpdateObjects: the first shot found inside an alien's box strikes it; at most one
// hit per frame.
void CollisionPass();
