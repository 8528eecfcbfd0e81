// The table of the ten best results and its file "kvshs.dat" beside the program.
#pragma once

#include <string>

struct HighscoreEntry {
  std::string name;  // may be empty
  int score;
};

// Discards any earlier table and makes count empty places with score 0.
void InitHighscores(int count, const char* fileName);
// Reads the file from the program's folder (which becomes the working directory).
// 1 if it could be opened; the table keeps its contents wherever the file gives nothing.
int LoadHighscores();
// Writes the table safely (a temporary file renamed over the old one). 1 if written.
int SaveHighscores();
int HighscorePosition(int score);  // the place 1 to count that score would take; 0 if none
int InsertHighscore(const std::string& name, int score);  // the place taken; 0 if it stayed out
std::string HighscoreName(int position);                  // "" outside 1 to count
int HighscoreScore(int position);                         // -1 outside 1 to count
