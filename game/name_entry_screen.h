// The name-entry screen after a qualifying mission: its frames and its loop.
#pragma once

// Resets the name entry (an empty name, not confirmed) and shows the name-entry page, the page of
// its "Fertig" button for MenuInput.
void StartNameEntry();

// One frame: polls keyboard and mouse, types, takes Return or a click on "Fertig" as the
// confirmation of a non-empty name, and draws and presents the screen.
void NameEntryFrame();

// The whole screen: frames until a name is confirmed or the window is closed, then the name typed
// (if any) enters the table with the mission's score and the table is saved.
void RunNameEntry();
