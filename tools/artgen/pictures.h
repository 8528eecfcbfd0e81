// Every picture of the game, drawn as float canvases; black is where nothing should show.
#pragma once

#include <string>

#include "tools/artgen/raster.h"

// Space with nebulae, stars and a planet, 880 x 680: the four background quarters cut from it
// are drawn at (-40, -40), (400, -40), (-40, 300) and (400, 300).
Canvas MakeSpaceBackground();
Canvas MakeCrosshair();       // 32 x 32, centre pixel (16, 16), drawn additively
Canvas MakeRock();            // 64 x 64, lit from above left, on black; spins
Canvas MakeExplosion();       // 64 x 64 glow, drawn additively with the spark's life as alpha
Canvas MakeShot(int weapon);  // 64 x 64 bolt of weapon 1 to 4, round enough to spin
Canvas MakePointer();         // 16 x 24 mouse arrow with its tip at pixel (0, 0), drawn keyed
Canvas MakeGaugeSegment();    // 14 x 20 glowing gauge cell, drawn additively 12 pixels apart

// Cockpit frame: the canopy rim at (0, 0), the gauge panel keyed at (470, 0), the console at (0, 537).
Canvas MakeCanopyRim();   // 800 x 40
Canvas MakeGaugePanel();  // 330 x 188; its labels in the language of the catalogue in play
Canvas MakeConsole();     // 800 x 63

// Alien ship of type 1 to 3, 256 x 256, squeezed so that it looks right when stretched to its
// hit box (3 : 1, 2.5 : 1 and 55 : 15).
Canvas MakeShip(int type);

// The menu's pictures; those with words in the language of the catalogue in play.
Canvas MakeTitleLogo();                           // 432 x 72
Canvas MakeButton(const std::string& label);      // 200 x 50
Canvas MakeBriefingPage();                        // 800 x 600
Canvas MakePauseTitle(const std::string& title);  // 400 x 64, drawn keyed over the paused mission
Canvas MakeIcon(int size);                        // size x size, transparent round the corners
