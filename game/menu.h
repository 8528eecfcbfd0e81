// The menu screen: its three pages, the sound switches and the buttons.
#pragma once

#include <string>

void HandleSoundKeys();  // releasing M or S while LeftControl is held switches music or effects
void DrawMenu();         // draws the page of menuState and presents the frame
// The action code of a button that went down in this frame: 1 start, 2 briefing, 3 list,
// 4 leave, 10 and 20 back to the main menu, 90 confirm the name entry; 0 none.
int MenuInput();

// A line of text on the main menu: Windows-1252 bytes, colour and top-left corner.
struct MenuLine {
  std::string text;  // empty: no line
  int red;
  int green;
  int blue;
  int x;
  int y;
};

// The main menu's line about the last mission, from missionResult and score.
MenuLine LastMissionLine();
