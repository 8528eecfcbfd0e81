// The table of the ten best results and its file "kvshs.dat".
#pragma once

#include <string>

struct HighscoreEntry {
  std::string name;  // may be empty
  int score;
};

// Discards any earlier table and makes count empty places with score 0. The file is kept in the
// program's folder, or in the player's data folder where the player may write neither into the
// program's folder nor into the file there (an install under /usr).
void InitHighscores(int count, const char* fileName);
// Reads the file from its folder, which becomes the working directory (screenshots go there too).
// A data folder without a table yet reads the one beside the program. True if a file could be
// opened; the table keeps its contents wherever the file gives nothing.
bool LoadHighscores();
// Writes the table without ever losing the old one, and never over a file the player may not
// write (see WriteHighscoreFile). True if written.
bool SaveHighscores();
int HighscorePosition(int score);  // the place 1 to count that score would take; 0 if none
int InsertHighscore(const std::string& name, int score);  // the place taken; 0 if it stayed out
std::string HighscoreName(int position);                  // "" outside 1 to count
int HighscoreScore(int position);                         // -1 outside 1 to count
