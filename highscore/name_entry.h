// The entry of a player's name after a qualifying mission: the typing and the screen's picture.
#pragma once

#include <string>

constexpr int kMaxNameLength = 30;  // characters a name may have

// What the player has typed on the name-entry screen, and whether it was confirmed.
struct NameEntryState {
  std::string playerName;  // the name typed so far, at most kMaxNameLength characters
  int nameDone = 0;        // 1 once a non-empty name was confirmed
  int padLetter = -1;      // the character a controller's D-pad offers at the cursor, an index into
                           // kNameCharacters; -1 until the D-pad is first used
};

// Every character a name may have, in the order a controller's D-pad runs through them.
constexpr char kNameCharacters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ;',.-+*";

extern NameEntryState nameEntry;

// An empty name, not confirmed: the state before the first name entry and at the start of each.
void ResetNameEntry();

// Turns this frame's released keys into at most one character added to text (or a Backspace).
// Reads the keyboard snapshot; the caller polls once per frame.
std::string EditText(const std::string& text, int maxLength);

// The same with a controller: the D-pad runs the letter at the cursor up or down through
// kNameCharacters (wrapping); A, the right trigger, RB or the D-pad's right adds it (a space never
// first), B, LB or the D-pad's left deletes the last character. Reads the controller's snapshot.
std::string EditTextByPad(const std::string& text, int maxLength);

// Draws one frame of the name-entry screen from playerName and the mouse position, and presents
// it: background, congratulation, the name with its cursor, caption, "Fertig" button, pointer.
void DrawNameEntry();
