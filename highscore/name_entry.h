// The entry of a player's name after a qualifying mission: the typing and the screen's picture.
#pragma once

#include <string>

constexpr int kMaxNameLength = 30;  // characters a name may have

// What the player has typed on the name-entry screen, and whether it was confirmed.
struct NameEntryState {
  std::string playerName;  // the name typed so far, at most kMaxNameLength characters
  int nameDone = 0;        // 1 once a non-empty name was confirmed
};

extern NameEntryState nameEntry;

// An empty name, not confirmed: the state before the first name entry and at the start of each.
void ResetNameEntry();

// Turns this frame's released keys into at most one character added to text (or a Backspace).
// Reads the keyboard snapshot; the caller polls once per frame.
std::string EditText(const std::string& text, int maxLength);

// Draws one frame of the name-entry screen from playerName and the mouse position, and presents
// it: background, congratulation, the name with its cursor, caption, "Fertig" button, pointer.
void DrawNameEntry();
