// The text of the highscore list page.
#pragma once

// Draws title, headings, rule and ten rows from the table into the back buffer.
void DrawHighscoreList();
