// The entry of a player's name after a qualifying mission.
#pragma once

#include <string>

extern std::string playerName;  // the name typed so far, at most 30 characters
extern int nameDone;            // 1 once a non-empty name was confirmed

// Turns this frame's released keys into at most one character added to text (or a Backspace).
// Reads the keyboard snapshot; the caller polls once per frame.
std::string EditText(const std::string& text, int maxLength);

// The name-entry screen: runs its frames until a name is confirmed, then inserts playerName with
// the mission's score into the table and saves it.
void RunNameEntry();
