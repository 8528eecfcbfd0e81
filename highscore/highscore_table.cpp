// The table of the best results, read from and written to its file.
#include "highscore/highscore_table.h"

#include <unistd.h>

#include <algorithm>
#include <span>
#include <utility>
#include <vector>

#include "base/data_folder.h"
#include "base/program_folder.h"
#include "highscore/highscore_file.h"

namespace {

// Index p - 1 holds position p; the last index is the spare slot of the insertion. Holds
// highscoreCount + 1 entries at all times.
std::vector<HighscoreEntry> highscores(1, HighscoreEntry{"", 0});
int highscoreCount = 0;       // number of positions; the game uses 10
std::string highscoreFile;    // relative to highscoreFolder, "kvshs.dat" in the game
std::string highscoreFolder;  // the program's folder, or the player's data folder where that is closed

// The table's folder becomes the working directory (also when the open that follows fails), so
// that screenshots land beside the table. Where it cannot be made, the program's folder is.
bool EnterHighscoreFolder() {
  return EnterFolder(highscoreFolder) || EnterProgramFolder();
}

}  // namespace

void InitHighscores(int count, const char* fileName) {
  highscoreCount = std::max(count, 0);
  highscores.assign(static_cast<std::size_t>(highscoreCount) + 1, HighscoreEntry{"", 0});
  highscoreFile = fileName;
  highscoreFolder = DataFolderFor(ProgramFolder(), highscoreFile);
}

bool LoadHighscores() {
  EnterHighscoreFolder();
  std::vector<HighscoreEntry> records;
  bool loaded = ReadHighscoreFile(highscoreFile, highscoreCount, records);
  // A data folder of the player's own that holds no table yet takes over the one beside the
  // program, so that its scores carry over.
  if (!loaded && highscoreFolder != ProgramFolder() && access(highscoreFile.c_str(), F_OK) != 0) {
    loaded = ReadHighscoreFile(ProgramFolder() + highscoreFile, highscoreCount, records);
  }
  if (!loaded) return false;
  std::copy(records.begin(), records.end(), highscores.begin());
  return true;
}

bool SaveHighscores() {
  EnterHighscoreFolder();
  const std::string bytes =
      SerializeHighscores(std::span<const HighscoreEntry>(highscores.data(), highscoreCount));
  return WriteHighscoreFile(highscoreFile, bytes);
}

int HighscorePosition(int score) {
  int position = 0;
  for (int i = highscoreCount; i >= 1 && score > highscores[i - 1].score; --i) position = i;
  return position;
}

int InsertHighscore(const std::string& name, int score) {
  highscores[highscoreCount] = HighscoreEntry{name, score};
  int result = 0;
  // The new entry climbs from the spare slot past every lower score; an equal score stops it.
  for (int i = highscoreCount; i >= 1 && highscores[i].score > highscores[i - 1].score; --i) {
    std::swap(highscores[i], highscores[i - 1]);
    result = i;
  }
  return result;
}

std::string HighscoreName(int position) {
  if (position < 1 || position > highscoreCount) return "";
  return highscores[position - 1].name;
}

int HighscoreScore(int position) {
  if (position < 1 || position > highscoreCount) return -1;
  return highscores[position - 1].score;
}
