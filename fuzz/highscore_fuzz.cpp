// Fuzz target: the highscore file reader on any bytes, whole and fed in pieces.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "highscore/highscore_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<HighscoreEntry> whole;
  const int count = ParseHighscoreRecords(data, size, whole, 10);
  FUZZ_REQUIRE(count >= 0 && count <= 10 && static_cast<std::size_t>(count) == whole.size());
  for (const HighscoreEntry& entry : whole) FUZZ_REQUIRE(entry.name.size() <= kMaxHighscoreNameBytes);

  // Fed in uneven pieces, the reader must find the same records.
  HighscoreRecordReader reader(10);
  for (std::size_t offset = 0, piece = 1; offset < size && !reader.Done();
       offset += piece, piece = piece * 2 + 1) {
    reader.Feed(data + offset, piece < size - offset ? piece : size - offset);
  }
  reader.Finish();
  FUZZ_REQUIRE(reader.Records().size() == whole.size());
  for (std::size_t i = 0; i < whole.size(); ++i) {
    FUZZ_REQUIRE(reader.Records()[i].name == whole[i].name && reader.Records()[i].score == whole[i].score);
  }

  // A table written and read back is the same table (names never hold CR, LF or NUL).
  const std::string bytes = SerializeHighscores(whole);
  std::vector<HighscoreEntry> again;
  ParseHighscoreRecords(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), again, 10);
  FUZZ_REQUIRE(again.size() == whole.size());
  for (std::size_t i = 0; i < whole.size(); ++i) {
    FUZZ_REQUIRE(again[i].name == whole[i].name && again[i].score == whole[i].score);
  }
  return 0;
}
