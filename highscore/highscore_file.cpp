// The highscore file: byte layout, reading, and a save that never loses the old table.
#include "highscore/highscore_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/file_io.h"
#include "formats/byte_order.h"

namespace {

constexpr std::size_t kReadChunk = 4096;

// The existing file rewritten from its first byte and cut after the table (bytes after it would
// mean nothing), then synced. A crash in the middle may leave a mixed file: without the right to
// make a new file in the folder there is no better way.
bool WriteInPlace(int fd, const std::string& bytes) {
  return WriteAll(fd, bytes) && ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && fsync(fd) == 0;
}

}  // namespace

HighscoreRecordReader::HighscoreRecordReader(int maxRecords)
    : maxRecords_(maxRecords),
      phase_(maxRecords > 0 ? Phase::kRecordStart : Phase::kDone),
      scoreBits_(0),
      scoreBytes_(0) {}

void HighscoreRecordReader::Feed(const unsigned char* data, std::size_t size) {
  for (std::size_t index = 0; index < size && phase_ != Phase::kDone; ++index) {
    const unsigned char byte = data[index];
    switch (phase_) {
      case Phase::kRecordStart:
        // A byte is there, so the file is not at its end and a record begins with this byte.
        name_.clear();
        scoreBits_ = 0;
        scoreBytes_ = 0;
        phase_ = Phase::kName;
        [[fallthrough]];
      case Phase::kName:
        if (byte == 0x0D) {
          phase_ = Phase::kAfterCarriageReturn;
        } else if (byte == 0x0A || byte == 0x00) {
          phase_ = Phase::kScore;
        } else if (name_.size() < kMaxHighscoreNameBytes) {
          name_ += static_cast<char>(byte);
        }
        break;
      case Phase::kAfterCarriageReturn:
        phase_ = Phase::kScore;  // the byte after 0x0D is dropped, whatever it is
        break;
      case Phase::kScore:
        scoreBits_ |= std::uint32_t{byte} << (8 * scoreBytes_);
        if (++scoreBytes_ == 4) EndRecord();
        break;
      case Phase::kDone: break;
    }
  }
}

void HighscoreRecordReader::Finish() {
  // A record cut off by the end of the file keeps its name; missing score bytes are 0.
  if (phase_ != Phase::kRecordStart && phase_ != Phase::kDone) EndRecord();
  phase_ = Phase::kDone;
}

void HighscoreRecordReader::EndRecord() {
  records_.push_back(HighscoreEntry{name_, static_cast<int>(scoreBits_)});
  phase_ = static_cast<int>(records_.size()) < maxRecords_ ? Phase::kRecordStart : Phase::kDone;
}

int ParseHighscoreRecords(const unsigned char* data, std::size_t size, std::vector<HighscoreEntry>& out,
                          int maxRecords) {
  HighscoreRecordReader reader(maxRecords);
  reader.Feed(data, size);
  reader.Finish();
  out = reader.Records();
  return static_cast<int>(out.size());
}

std::string SerializeHighscores(std::span<const HighscoreEntry> entries) {
  std::string bytes;
  for (const HighscoreEntry& entry : entries) {
    bytes += entry.name;
    bytes += "\r\n";
    std::uint8_t score[4];
    Put32(score, static_cast<std::uint32_t>(entry.score));
    bytes.append(score, score + sizeof score);
  }
  return bytes;
}

bool ReadHighscoreFile(const std::string& path, int maxRecords, std::vector<HighscoreEntry>& out) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return false;
  }
  HighscoreRecordReader reader(maxRecords);
  unsigned char buffer[kReadChunk];
  while (!reader.Done()) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;  // the end, or a read error taken as the end
    reader.Feed(buffer, static_cast<std::size_t>(got));
  }
  reader.Finish();
  close(fd);
  out = reader.Records();
  return true;
}

bool WriteHighscoreFile(const std::string& path, const std::string& bytes) {
  // Opening for writing without O_TRUNC changes nothing yet; it asks whether the player may write
  // the file. Not blocking keeps a FIFO of that name from stopping the save.
  const int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    // No file yet: the only way is a new one. Any other refusal protects the file from a replace.
    return errno == ENOENT && ReplaceFile(path, bytes, -1) == Replace::kDone;
  }
  struct stat info {};
  struct stat name {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || lstat(path.c_str(), &name) != 0) {
    close(fd);
    return false;
  }
  // A replace would hand someone else's file to the player, or put a file in place of a link.
  bool saved = false;
  Replace replaced = Replace::kFolderClosed;
  if (S_ISREG(name.st_mode) && info.st_uid == geteuid()) {
    replaced = ReplaceFile(path, bytes, static_cast<int>(info.st_mode & 07777));
    saved = replaced == Replace::kDone;
  }
  if (replaced == Replace::kFolderClosed) saved = WriteInPlace(fd, bytes);
  const bool closed = close(fd) == 0;
  return saved && closed;
}
