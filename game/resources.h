// Every sprite, quad and sound slot of the game, filled once at start-up.
#pragma once

void LoadResources();
void LoadBuiltinPages();  // start-up step 8: briefing page into sprite 4, title logo into 6
