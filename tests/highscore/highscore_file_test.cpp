// Tests of the highscore file: records from bytes, bytes from a table, and the save as a player makes it.
#include "highscore/highscore_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
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
  // Appended: GCC 12 warns falsely (-Wrestrict) about "n" + std::to_string(i) at -O3.
  for (int i = 0; i < 12; ++i) twelve.push_back({std::string("n").append(std::to_string(i)), 100 - i});
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

namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

// The save of the file as the player makes it: in a child process as user nobody when the tests run
// as root (root may write any file), as the tester otherwise. Files and folders that "the player
// owns" belong to that user.
class HighscoreFileSave : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/highscore_save_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    top_ = pattern;
    ASSERT_EQ(chmod(top_.c_str(), 0755), 0);
    folder_ = top_ + "/folder";
    path_ = folder_ + "/kvshs.dat";
    player_ = geteuid() == 0 ? kNobody : geteuid();
    std::vector<HighscoreEntry> table;
    for (int i = 0; i < 10; ++i) table.push_back({"p" + std::to_string(i), 100 - i});
    newBytes_ = SerializeHighscores(table);
    oldBytes_ = std::string(100, 'o');  // longer than the new table
  }
  void TearDown() override {
    chmod(folder_.c_str(), 0755);
    fs::remove_all(top_);
  }

  // The folder, owned by the player or by someone else (root; only when the tests run as root).
  void MakeFolder(bool playersOwn, mode_t mode) {
    ASSERT_TRUE(fs::create_directory(folder_));
    ASSERT_EQ(chown(folder_.c_str(), playersOwn ? player_ : 0, playersOwn ? player_ : 0), 0);
    folderMode_ = mode;
  }

  void MakeFile(bool playersOwn, mode_t mode) {
    std::ofstream(path_, std::ios::binary) << oldBytes_;
    ASSERT_EQ(chown(path_.c_str(), playersOwn ? player_ : 0, playersOwn ? player_ : 0), 0);
    ASSERT_EQ(chmod(path_.c_str(), mode), 0);
  }

  // The folder's mode applies only now: without root the tester could not prepare it otherwise.
  bool SaveAsPlayer() {
    chmod(folder_.c_str(), folderMode_);
    const pid_t child = fork();
    if (child == 0) {
      if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(2);
      _exit(WriteHighscoreFile(path_, newBytes_) ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    chmod(folder_.c_str(), 0755);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) <= 1) << "the save ran as the player";
    return WIFEXITED(status) && WEXITSTATUS(status) == 1;
  }

  std::string Bytes() const {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  struct stat Stat() const {
    struct stat info {};
    lstat(path_.c_str(), &info);
    return info;
  }

  std::size_t FolderEntries() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }

  std::string top_, folder_, path_, newBytes_, oldBytes_;
  uid_t player_ = 0;
  mode_t folderMode_ = 0755;
};

TEST_F(HighscoreFileSave, ThePlayersOwnFileInAnOpenFolderIsReplacedWholeWithItsMode) {
  MakeFolder(true, 0755);
  MakeFile(true, 0640);
  const struct stat before = Stat();
  ASSERT_TRUE(SaveAsPlayer()) << "a file of the player's own in his folder is saved";
  const struct stat after = Stat();
  EXPECT_EQ(Bytes(), newBytes_) << "the new file holds the table and nothing after it";
  EXPECT_NE(after.st_ino, before.st_ino) << "a new file replaced the old one (a crash leaves one of them)";
  EXPECT_EQ(after.st_mode & 07777, 0640u) << "the replacement keeps the old file's mode";
  EXPECT_EQ(after.st_uid, player_);
  EXPECT_EQ(FolderEntries(), 1u) << "no temporary file is left";

  fs::remove(path_);
  ASSERT_TRUE(SaveAsPlayer()) << "without a file a new one is made";
  EXPECT_EQ(Bytes(), newBytes_);
}

TEST_F(HighscoreFileSave, AWritableFileInAClosedFolderIsWrittenInPlace) {
  MakeFolder(geteuid() != 0, 0555);
  MakeFile(true, 0644);
  const struct stat before = Stat();
  ASSERT_TRUE(SaveAsPlayer()) << "a writable file in a folder closed to the player is still saved";
  EXPECT_EQ(Bytes(), newBytes_) << "rewritten from its first byte and cut after the table";
  EXPECT_EQ(Stat().st_ino, before.st_ino) << "the same file, written in place";
  EXPECT_EQ(FolderEntries(), 1u) << "nothing else in the folder";

  fs::remove(path_);
  EXPECT_FALSE(SaveAsPlayer()) << "a closed folder without a file takes no new one";
  EXPECT_EQ(FolderEntries(), 0u);
}

TEST_F(HighscoreFileSave, AFileThePlayerMayNotWriteIsNeverReplaced) {
  MakeFolder(true, 0755);
  MakeFile(true, 0444);
  const struct stat before = Stat();
  EXPECT_FALSE(SaveAsPlayer()) << "a write-protected file is not saved, even in the player's folder";
  const struct stat after = Stat();
  EXPECT_EQ(Bytes(), oldBytes_) << "the old file stays byte for byte";
  EXPECT_EQ(after.st_ino, before.st_ino) << "the old file is not replaced";
  EXPECT_EQ(after.st_mode & 07777, 0444u) << "and keeps its mode";
  EXPECT_EQ(FolderEntries(), 1u) << "no temporary file is left";
}

TEST_F(HighscoreFileSave, SomeoneElsesFileOrALinkIsWrittenInPlace) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to make a file of someone else's";
  MakeFolder(true, 0755);
  MakeFile(false, 0666);
  const struct stat before = Stat();
  ASSERT_TRUE(SaveAsPlayer()) << "a file someone else lets the player write is saved";
  EXPECT_EQ(Bytes(), newBytes_);
  EXPECT_EQ(Stat().st_ino, before.st_ino) << "in place: a replace would hand the file to the player";
  EXPECT_EQ(Stat().st_uid, 0u) << "the file keeps its owner";

  const std::string target = top_ + "/target.dat";
  fs::rename(path_, target);
  ASSERT_EQ(chown(target.c_str(), player_, player_), 0);
  fs::create_symlink(target, path_);
  ASSERT_TRUE(SaveAsPlayer()) << "a link to a file the player may write is saved";
  EXPECT_TRUE(fs::is_symlink(path_)) << "the link stays a link";
  EXPECT_EQ(Bytes(), newBytes_) << "the file it points to holds the table";
}

}  // namespace
