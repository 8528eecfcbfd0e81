// The byte layout of the highscore file.
#include "highscore/highscore_file.h"

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
    const auto score = static_cast<std::uint32_t>(entry.score);
    for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((score >> shift) & 0xFF);
  }
  return bytes;
}
