// The menu screen: its three pages, the sound switches and the buttons.
#pragma once

#include <string>

void HandleSoundKeys();  // releasing M or S while LeftControl is held switches music or effects
// Draws the page of menuState with the pointer at (pointerX, pointerY) and presents the frame.
void DrawMenu(int pointerX, int pointerY);
// What a click on a button asks for.
enum class MenuAction {
  kNone = 0,
  kStartMission = 1,   // "Starten"
  kShowBriefing = 2,   // "Mission"
  kShowList = 3,       // "Bestenliste"
  kLeaveGame = 4,      // "Beenden"
  kBriefingDone = 10,  // "Fertig" on the briefing page: back to the main menu
  kListDone = 20,      // "Fertig" on the list page: back to the main menu
  kConfirmName = 90,   // "Fertig" of the name entry
};

// The action of a button that went down in this frame on the page of menuState; kNone if none.
MenuAction MenuInput();

// Moves clickState on: 1 in the frame the click goes down, 2 while it stays held, 0 when it is up.
void TrackClick(bool held);

// The click of the menu held at the last polls: the left mouse button, or on the menu's own pages a
// controller's A or right trigger (the name entry gives A a letter of its own).
bool IsClickHeld();

// A line of text on the main menu: Windows-1252 bytes, colour and the top-left corner of the line in
// German; a translation is centred on the German line.
struct MenuLine {
  std::string text;    // in the language in play; empty: no line
  std::string german;  // the line in German
  int red;
  int green;
  int blue;
  int x;
  int y;
};

// The main menu's line about the last mission, from missionResult and score.
MenuLine LastMissionLine();
