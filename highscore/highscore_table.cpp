// The table of the best results, read from and written to its file beside the program.
#include "highscore/highscore_table.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <span>
#include <utility>
#include <vector>

#include "base/program_folder.h"
#include "highscore/highscore_file.h"

namespace {

// Index p - 1 holds position p; the last index is the spare slot of the insertion. Holds
// highscoreCount + 1 entries at all times.
std::vector<HighscoreEntry> highscores(1, HighscoreEntry{"", 0});
int highscoreCount = 0;     // number of positions; the game uses 10
std::string highscoreFile;  // relative to the program's folder, "kvshs.dat" in the game

constexpr std::size_t kReadChunk = 4096;

// The folder part of the file name, for the fsync that makes a rename durable.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<std::size_t>(written);
  }
  return true;
}

bool SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = fsync(fd) == 0;
  close(fd);
  return synced;
}

}  // namespace

void InitHighscores(int count, const char* fileName) {
  highscoreCount = std::max(count, 0);
  highscores.assign(static_cast<std::size_t>(highscoreCount) + 1, HighscoreEntry{"", 0});
  highscoreFile = fileName;
}

int LoadHighscores() {
  EnterProgramFolder();  // the folder stays the working directory, also when the open fails
  // Not blocking keeps a FIFO of that name from stopping the start-up; only a regular file is read.
  const int fd = open(highscoreFile.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return 0;
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return 0;
  }
  HighscoreRecordReader reader(highscoreCount);
  unsigned char buffer[kReadChunk];
  while (!reader.Done()) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;  // the end, or a read error taken as the end
    reader.Feed(buffer, static_cast<std::size_t>(got));
  }
  reader.Finish();
  close(fd);
  const std::vector<HighscoreEntry>& records = reader.Records();
  std::copy(records.begin(), records.end(), highscores.begin());
  return 1;
}

int SaveHighscores() {
  EnterProgramFolder();
  // The table goes to a new file that replaces the old one only once it is complete on disk, so
  // a failed save leaves the old file as it was. Old bytes after the last record do not survive.
  const std::string temporary = highscoreFile + ".tmp";
  unlink(temporary.c_str());  // a leftover of an interrupted save
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return 0;
  const std::string bytes =
      SerializeHighscores(std::span<const HighscoreEntry>(highscores.data(), highscoreCount));
  const bool written = WriteAll(fd, bytes) && fsync(fd) == 0;
  const bool closed = close(fd) == 0;
  if (!written || !closed || rename(temporary.c_str(), highscoreFile.c_str()) != 0) {
    unlink(temporary.c_str());
    return 0;
  }
  // Without this the rename itself could be lost; the new file is in place either way.
  return SyncFolder(FolderOf(highscoreFile)) ? 1 : 0;
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
