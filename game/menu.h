// The menu screen: its three pages, the sound switches and the buttons.
#pragma once

void HandleSoundKeys();  // releasing M or S while LeftControl is held switches music or effects
void DrawMenu();         // draws the page of menuState and presents the frame
// The action code of a button that went down in this frame: 1 start, 2 briefing, 3 list,
// 4 leave, 10 and 20 back to the main menu, 90 confirm the name entry; 0 none.
int MenuInput();
