// Tests of the highscore file layout: records from bytes, bytes from a table.
#include "highscore/highscore_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

std::vector<HighscoreEntry> Parse(const std::string& bytes, int maxRecords = 10) {
  std::vector<HighscoreEntry> records;
  const int count = ParseHighscoreRecords(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                                          records, maxRecords);
  EXPECT_EQ(count, static_cast<int>(records.size())) << "the result counts the records given back";
  return records;
}

std::string Record(const std::string& name, const std::string& terminator, const std::string& score) {
  return name + terminator + score;
}

}  // namespace

TEST(HighscoreFile, RecordLayoutIsNameCrLfAndLittleEndianScore) {
  const std::vector<HighscoreEntry> table = {{"ab", 1000}};
  EXPECT_EQ(SerializeHighscores(table), std::string("ab\r\n\xE8\x03\x00\x00", 8))
      << "the record for ab with 1000 is the eight bytes 61 62 0D 0A E8 03 00 00";

  const std::vector<HighscoreEntry> records = Parse(std::string("ab\r\n\xE8\x03\x00\x00", 8));
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].name, "ab");
  EXPECT_EQ(records[0].score, 1000);

  const std::vector<HighscoreEntry> negatives = {{"", -1}, {"", INT_MIN}, {"", INT_MAX}};
  EXPECT_EQ(SerializeHighscores(negatives), std::string("\r\n\xFF\xFF\xFF\xFF"
                                                        "\r\n\x00\x00\x00\x80"
                                                        "\r\n\xFF\xFF\xFF\x7F",
                                                        18))
      << "scores are signed 32-bit little-endian";
}

TEST(HighscoreFile, NameEndsAtCrLfLoneLfOrZeroByte) {
  const std::string score7("\x07\x00\x00\x00", 4);
  const std::vector<HighscoreEntry> records =
      Parse(Record("crlf", "\r\n", score7) + Record("lf", "\n", score7) +
            Record("zero", std::string(1, '\0'), score7));
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].name, "crlf");
  EXPECT_EQ(records[1].name, "lf") << "a lone LF ends the name and the score follows it directly";
  EXPECT_EQ(records[2].name, "zero") << "a zero byte ends the name";
  for (const HighscoreEntry& record : records) EXPECT_EQ(record.score, 7);
}

TEST(HighscoreFile, ExactlyOneByteAfterCarriageReturnIsDropped) {
  // "ab" CR 'X' then the score: the byte after CR is dropped even though it is no LF.
  const std::vector<HighscoreEntry> records = Parse(std::string("ab\rX\x05\x00\x00\x00", 8));
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].name, "ab");
  EXPECT_EQ(records[0].score, 5) << "after 0x0D exactly one byte is dropped";
}

TEST(HighscoreFile, ScoreBytesMayLookLikeLineEnds) {
  // Score 0x0A0D0A0D has the bytes 0D 0A 0D 0A; the score is read by count, not by line.
  const std::vector<HighscoreEntry> table = {{"x", 0x0A0D0A0D}, {"y", 3}};
  const std::vector<HighscoreEntry> records = Parse(SerializeHighscores(table));
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].score, 0x0A0D0A0D);
  EXPECT_EQ(records[1].name, "y") << "the next record starts right after the four score bytes";
  EXPECT_EQ(records[1].score, 3);
}

TEST(HighscoreFile, CountLimitAndTrailingBytes) {
  std::vector<HighscoreEntry> twelve;
  for (int i = 0; i < 12; ++i) twelve.push_back({"n" + std::to_string(i), 100 - i});
  const std::vector<HighscoreEntry> records = Parse(SerializeHighscores(twelve) + "junk\x01", 10);
  ASSERT_EQ(records.size(), 10u) << "records after the tenth are never read";
  EXPECT_EQ(records[9].name, "n9");

  EXPECT_TRUE(Parse("").empty()) << "an empty file has no records";
  EXPECT_TRUE(Parse("abc", 0).empty()) << "a table of no places reads nothing";
}

TEST(HighscoreFile, FileEndingInsideARecord) {
  std::vector<HighscoreEntry> records = Parse(std::string("ab\r\n\xE8\x03", 6));
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].score, 1000) << "missing score bytes read as 0";

  records = Parse("ab");
  ASSERT_EQ(records.size(), 1u) << "a name cut off by the end still makes a record";
  EXPECT_EQ(records[0].name, "ab");
  EXPECT_EQ(records[0].score, 0);

  records = Parse("ab\r");
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].name, "ab");
  EXPECT_EQ(records[0].score, 0);
}

TEST(HighscoreFile, LongNameKeepsItsFirst64000Bytes) {
  const std::string longName = std::string(kMaxHighscoreNameBytes, 'a') + std::string(6000, 'b');
  const std::vector<HighscoreEntry> records =
      Parse(Record(longName, "\r\n", std::string("\x09\x00\x00\x00", 4)) +
            Record("next", "\n", std::string("\x01\x00\x00\x00", 4)));
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].name, std::string(64000, 'a')) << "a name keeps at most 64000 bytes";
  EXPECT_EQ(records[0].score, 9) << "the rest of the line is skipped up to its end";
  EXPECT_EQ(records[1].name, "next");
}

TEST(HighscoreFile, BytesFedInPiecesGiveTheSameRecords) {
  // The loader reads through a fixed buffer, so every cut between two bytes must be harmless.
  const std::string bytes = std::string("ab\r\n\xE8\x03\x00\x00", 8) + std::string("c\rZ\x01\x02", 5) +
                            std::string("\n\x0D\x0A\x00\x00", 5) + "tail";
  const std::vector<HighscoreEntry> whole = Parse(bytes);
  ASSERT_EQ(whole.size(), 4u);
  for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
    HighscoreRecordReader reader(10);
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    reader.Feed(data, cut);
    reader.Feed(data + cut, bytes.size() - cut);
    reader.Finish();
    ASSERT_EQ(reader.Records().size(), whole.size()) << "cut at " << cut;
    for (std::size_t i = 0; i < whole.size(); ++i) {
      EXPECT_EQ(reader.Records()[i].name, whole[i].name) << "cut at " << cut;
      EXPECT_EQ(reader.Records()[i].score, whole[i].score) << "cut at " << cut;
    }
  }
}
