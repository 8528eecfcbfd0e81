// The name-entry screen after a qualifying mission: its frames and its loop.
#pragma once

// Resets the name entry (an empty name, not confirmed) and shows the name-entry page, the page of
// its "Fertig" button for MenuInput.
void StartNameEntry();

// One frame: the steps that have come due (each polls keyboard, mouse and controller once, types,
// and takes Return or a click on "Fertig" as the confirmation of a non-empty name), then the screen
// drawn and presented.
void NameEntryFrame();

// The whole screen: frames until a name is confirmed or the window is closed, then the name typed
// (if any) enters the table with the mission's score and the table is saved.
void RunNameEntry();
