// The highscore file: its byte layout, reading it, and writing it without losing the old table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "highscore/highscore_table.h"

// A name line keeps at most this many bytes; the rest of the line up to its end is skipped.
constexpr std::size_t kMaxHighscoreNameBytes = 64000;

// Reads records from bytes that arrive in pieces, so that a file of any size is read through a
// buffer of fixed size. A record is a name line ended by 0x0D (which drops exactly one byte after
// it), 0x0A, 0x00 or the end, then a 32-bit little-endian score whose missing bytes read as 0.
class HighscoreRecordReader {
 public:
  explicit HighscoreRecordReader(int maxRecords);

  void Feed(const unsigned char* data, std::size_t size);  // the next bytes of the file
  void Finish();                                           // the file ends here
  bool Done() const { return phase_ == Phase::kDone; }     // later bytes would not be read
  const std::vector<HighscoreEntry>& Records() const { return records_; }

 private:
  enum class Phase { kRecordStart, kName, kAfterCarriageReturn, kScore, kDone };

  void EndRecord();

  int maxRecords_;
  std::vector<HighscoreEntry> records_;
  Phase phase_;
  std::string name_;         // the name read so far, at most kMaxHighscoreNameBytes
  std::uint32_t scoreBits_;  // the score bytes read so far
  int scoreBytes_;           // 0 to 4
};

// All records of a complete file image, at most maxRecords of them; returns their number.
int ParseHighscoreRecords(const unsigned char* data, std::size_t size, std::vector<HighscoreEntry>& out,
                          int maxRecords);

// The file image of the entries in order: each name's bytes, CR LF, the score little-endian.
std::string SerializeHighscores(std::span<const HighscoreEntry> entries);

// Reads at most maxRecords records from the file at `path`. False, with `out` untouched, when it is
// no regular file that can be opened for reading; a FIFO of that name does not block.
bool ReadHighscoreFile(const std::string& path, int maxRecords, std::vector<HighscoreEntry>& out);

// Writes the file image `bytes` as the file at `path`, in one of three ways:
// - no file yet, or a regular file of the player's own in a folder that takes a new file: a
//   temporary file beside it, synced, renamed over it, and the folder synced, so that a crash at
//   any moment leaves the old table or the new one; the old file's mode is kept;
// - a file the player may write but not replace (the folder is closed to him, or the file is
//   someone else's or a link): written in place, cut to the new length and synced;
// - a file the player may not write: left alone, whatever the folder allows.
// True once the bytes are on disk.
bool WriteHighscoreFile(const std::string& path, const std::string& bytes);
