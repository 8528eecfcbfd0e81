// Tests of the highscore table: positions, insertion, and its file beside the program.
#include "highscore/highscore_table.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "base/program_folder.h"
#include "highscore/highscore_file.h"

namespace fs = std::filesystem;

namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ScoreBytes(int score) {
  const auto bits = static_cast<unsigned>(score);
  return {static_cast<char>(bits & 0xFF), static_cast<char>((bits >> 8) & 0xFF),
          static_cast<char>((bits >> 16) & 0xFF), static_cast<char>(bits >> 24)};
}

std::string RecordBytes(const std::string& name, int score) {
  return name + "\r\n" + ScoreBytes(score);
}

// Runs `prepare` and then SaveHighscores in a child process; the child's table is a copy of this
// one. Gives prepare's result (0 to 39; negative: it failed) + 40 when the save succeeded, and -1
// when the preparation failed or the child died.
int SaveInChildAfter(const std::function<int()>& prepare) {
  const pid_t child = fork();
  if (child == 0) {
    const int prepared = prepare();
    if (prepared < 0) _exit(255);
    _exit(prepared + (SaveHighscores() ? 40 : 0));
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) != 255 ? WEXITSTATUS(status) : -1;
}

// The save's result (1 or 0) after `prepare` has set the child up; -1 when that failed.
int SaveInChild(const std::function<bool()>& prepare) {
  const int result = SaveInChildAfter([&] { return prepare() ? 0 : -1; });
  return result < 0 ? result : result / 40;
}

// Every test has its own file in the program's folder (the test program's own folder), so that
// tests running side by side never share one.
class HighscoreTable : public ::testing::Test {
 protected:
  void SetUp() override {
    startFolder_ = fs::current_path();
    prefix_ = std::string("highscore_test_") +
              ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
              std::to_string(getpid());
    UseFile(prefix_ + ".dat");
  }

  void TearDown() override {
    fs::remove(ProgramFolder() + prefix_ + ".dat");
    fs::remove_all(ProgramFolder() + prefix_ + ".dat.tmp");
    fs::remove_all(ProgramFolder() + prefix_);
    fs::current_path(startFolder_);
  }

  // A fresh table of ten places kept in fileName, relative to the program's folder.
  void UseFile(const std::string& fileName) {
    fileName_ = fileName;
    path_ = ProgramFolder() + fileName;
    InitHighscores(10, fileName_.c_str());
  }

  // Fills the places from the given scores, best first, named "p1", "p2", ...
  void FillTable(std::initializer_list<int> scores) {
    int position = 1;
    for (int score : scores) {
      // Appended: GCC 12 warns falsely (-Wrestrict) about "n" + std::to_string(i) at -O3.
      ASSERT_EQ(InsertHighscore(std::string("p").append(std::to_string(position)), score), position)
          << "setup in order";
      ++position;
    }
  }

  fs::path startFolder_;
  std::string prefix_;    // unique per test and process
  std::string fileName_;  // as given to InitHighscores
  std::string path_;      // the same file, absolute
};

TEST_F(HighscoreTable, WithoutAFileTheTableIsEmptyAndSaveWritesSixtyBytes) {
  EXPECT_FALSE(LoadHighscores()) << "a missing file cannot be opened";
  for (int position = 1; position <= 10; ++position) {
    EXPECT_EQ(HighscoreName(position), "") << "position " << position << " starts with an empty name";
    EXPECT_EQ(HighscoreScore(position), 0) << "position " << position << " starts with score 0";
  }
  EXPECT_EQ(HighscorePosition(0), 0) << "a score of 0 does not beat an empty place";
  EXPECT_EQ(HighscorePosition(1), 1) << "any positive score takes position 1";
  EXPECT_EQ(HighscorePosition(-5), 0) << "a negative score never qualifies against scores of 0";

  EXPECT_TRUE(SaveHighscores());
  std::string expected;
  for (int i = 0; i < 10; ++i) expected += RecordBytes("", 0);
  EXPECT_EQ(ReadBytes(path_), expected) << "ten empty records take 60 bytes";
  EXPECT_FALSE(fs::exists(path_ + ".tmp")) << "no temporary file is left";
}

TEST_F(HighscoreTable, OutsidePositionsGiveEmptyNameAndMinusOne) {
  FillTable({900});
  for (int position : {0, 11, -1, INT_MAX}) {
    EXPECT_EQ(HighscoreName(position), "") << "position " << position << " lies outside 1 to 10";
    EXPECT_EQ(HighscoreScore(position), -1) << "position " << position << " lies outside 1 to 10";
  }
  EXPECT_EQ(HighscoreName(1), "p1");
}

TEST_F(HighscoreTable, EqualScoresStandBelowEarlierOnes) {
  FillTable({500, 400, 400, 300});
  EXPECT_EQ(HighscorePosition(400), 4) << "a tie lands below the entries with the same score";
  EXPECT_EQ(InsertHighscore("new", 400), 4);
  EXPECT_EQ(HighscoreName(3), "p3") << "the earlier 400 stays above";
  EXPECT_EQ(HighscoreName(4), "new");
  EXPECT_EQ(HighscoreScore(5), 300) << "300 moves down to position 5";
  EXPECT_EQ(HighscoreName(5), "p4");
}

TEST_F(HighscoreTable, TheTenthPlaceIsTheThreshold) {
  FillTable({1000, 900, 800, 700, 600, 500, 400, 300, 200, 100});
  EXPECT_EQ(HighscorePosition(100), 0) << "a score equal to position 10 does not qualify";
  EXPECT_EQ(InsertHighscore("same", 100), 0) << "an equal score stays out";
  EXPECT_EQ(HighscoreName(10), "p10");

  EXPECT_EQ(HighscorePosition(150), 10) << "above position 10 but not above position 9";
  EXPECT_EQ(InsertHighscore("tenth", 150), 10);
  EXPECT_EQ(HighscoreName(10), "tenth") << "the old position-10 entry dropped out";
  EXPECT_EQ(HighscoreName(9), "p9");

  EXPECT_EQ(InsertHighscore("best", INT_MAX), 1);
  EXPECT_EQ(HighscoreScore(10), 200) << "every entry below the new one moved down by one";
  EXPECT_EQ(HighscorePosition(INT_MIN), 0) << "the lowest score never qualifies";
}

TEST_F(HighscoreTable, InsertionOnlyComparesNeighbours) {
  // Loading does not sort, and the insertion climbs only past lower neighbours.
  WriteBytes(path_, RecordBytes("low", 100) + RecordBytes("high", 900));
  ASSERT_TRUE(LoadHighscores());
  EXPECT_EQ(HighscoreName(1), "low") << "the file's order is taken unchanged";
  EXPECT_EQ(HighscorePosition(50), 3) << "50 beats the empty places 3 to 10 but not 900";
  EXPECT_EQ(InsertHighscore("x", 500), 3) << "500 stops below 900 and never meets the lower 100 above it";
  EXPECT_EQ(HighscoreName(1), "low");
}

TEST_F(HighscoreTable, AnyNumberOfPlaces) {
  InitHighscores(3, fileName_.c_str());
  EXPECT_EQ(InsertHighscore("a", 30), 1);
  EXPECT_EQ(InsertHighscore("b", 20), 2);
  EXPECT_EQ(InsertHighscore("c", 10), 3);
  EXPECT_EQ(InsertHighscore("d", 5), 0) << "three places are full";
  EXPECT_EQ(HighscoreScore(4), -1) << "position 4 lies outside a table of three";
  ASSERT_TRUE(SaveHighscores());
  EXPECT_EQ(ReadBytes(path_), RecordBytes("a", 30) + RecordBytes("b", 20) + RecordBytes("c", 10))
      << "only the places are saved, never the spare slot";
}

TEST_F(HighscoreTable, LoadFillsPlacesInFileOrderAndKeepsTheRest) {
  // The file is read in chunks: the first name is longer than a chunk and than the 64000 bytes kept.
  FillTable({900, 800, 700, 600});
  WriteBytes(path_,
             RecordBytes(std::string(70000, 'n'), 1) + RecordBytes("three", 3) + RecordBytes("two", 2));
  ASSERT_TRUE(LoadHighscores());
  EXPECT_EQ(HighscoreName(1).size(), kMaxHighscoreNameBytes) << "a name read across chunks keeps 64000 bytes";
  EXPECT_EQ(HighscoreName(2), "three") << "the file's order is taken unsorted";
  EXPECT_EQ(HighscoreScore(3), 2);
  EXPECT_EQ(HighscoreName(4), "p4") << "position 4 keeps what it held before the load";

  WriteBytes(path_, "");
  EXPECT_TRUE(LoadHighscores()) << "an empty file opens";
  EXPECT_EQ(HighscoreName(2), "three") << "an empty file changes nothing";

  std::string twelve;
  // Appended: GCC 12 warns falsely (-Wrestrict) about "n" + std::to_string(i) at -O3.
  for (int i = 1; i <= 12; ++i) twelve += RecordBytes(std::string("n").append(std::to_string(i)), 1000 - i);
  WriteBytes(path_, twelve);
  ASSERT_TRUE(LoadHighscores());
  EXPECT_EQ(HighscoreName(10), "n10") << "the first ten records fill the table";
  EXPECT_EQ(HighscorePosition(1000 - 11), 0) << "records 11 and 12 were not read into the spare slot";
}

TEST_F(HighscoreTable, SaveAndLoadGiveBackTheTable) {
  // Loading does not sort, so negative scores can stand anywhere in a table read from a file.
  const int scores[] = {INT_MAX, 0x0A0D0A0D, 1000, 0, -1, INT_MIN, 5, 0, 0x0D0A, 3};
  std::string file;
  for (int i = 0; i < 10; ++i) file += RecordBytes(i % 3 == 0 ? "" : "name" + std::to_string(i), scores[i]);
  WriteBytes(path_, file);
  ASSERT_TRUE(LoadHighscores());
  fs::remove(path_);
  ASSERT_TRUE(SaveHighscores());
  EXPECT_EQ(ReadBytes(path_), file) << "saving a loaded table writes the same bytes";
  InitHighscores(10, fileName_.c_str());
  ASSERT_TRUE(LoadHighscores());
  for (int position = 1; position <= 10; ++position) {
    EXPECT_EQ(HighscoreScore(position), scores[position - 1]) << "score at " << position << " survives";
  }
  EXPECT_EQ(HighscoreName(2), "name1");
}

TEST_F(HighscoreTable, SaveReplacesALongerFileCompletely) {
  // An older, longer file with bytes after its tenth record; the new file holds only the table.
  std::string old;
  for (int i = 0; i < 10; ++i) old += RecordBytes(std::string(30, 'L'), 5000 - i);
  WriteBytes(path_, old + "trailing bytes");
  FillTable({70, 60});
  ASSERT_TRUE(SaveHighscores());
  const std::string saved = ReadBytes(path_);
  EXPECT_EQ(saved.size(), 2 * 8u + 8 * 6u) << "no old byte survives after the tenth record";
  InitHighscores(10, fileName_.c_str());
  ASSERT_TRUE(LoadHighscores());
  EXPECT_EQ(HighscoreName(2), "p2");
  EXPECT_EQ(HighscoreScore(3), 0);
}

TEST_F(HighscoreTable, OpeningTheFileEntersTheProgramFolder) {
  const fs::path folder = fs::canonical(ProgramFolder());
  fs::current_path("/");
  EXPECT_FALSE(LoadHighscores());
  EXPECT_EQ(fs::current_path(), folder) << "the folder stays the working directory after a failed open";
  fs::current_path("/");
  EXPECT_TRUE(SaveHighscores());
  EXPECT_EQ(fs::current_path(), folder) << "saving enters the program's folder too";
  EXPECT_TRUE(fs::exists(path_)) << "the plain name lands in the program's folder";
}

TEST_F(HighscoreTable, ALeftoverTemporaryFileDoesNotBlockTheSave) {
  WriteBytes(path_ + ".tmp", "left by an interrupted save");
  FillTable({10});
  EXPECT_TRUE(SaveHighscores());
  EXPECT_EQ(ReadBytes(path_).substr(0, 8), RecordBytes("p1", 10));
  EXPECT_FALSE(fs::exists(path_ + ".tmp"));
}

TEST_F(HighscoreTable, OnlyARegularFileIsTheTable) {
  FillTable({300});
  ASSERT_EQ(mkfifo(path_.c_str(), 0644), 0);
  EXPECT_FALSE(LoadHighscores()) << "a FIFO of that name is not read and does not block";
  fs::remove(path_);
  ASSERT_TRUE(fs::create_directory(path_));
  EXPECT_FALSE(LoadHighscores()) << "a folder of that name is no file";
  EXPECT_EQ(HighscoreName(1), "p1") << "a failed load leaves the table unchanged";
  EXPECT_FALSE(SaveHighscores()) << "a folder of that name cannot be replaced";
  EXPECT_FALSE(fs::exists(path_ + ".tmp")) << "the temporary file is removed";
  fs::remove(path_);
}

TEST_F(HighscoreTable, SaveIntoAReadOnlyFolderLeavesTheOldFile) {
  const std::string folder = ProgramFolder() + prefix_;
  ASSERT_TRUE(fs::create_directory(folder));
  UseFile(prefix_ + "/kvshs.dat");
  const std::string old = RecordBytes("old", 77) + "trailing";
  WriteBytes(path_, old);
  FillTable({500});
  // Root writes into any folder whatever its mode, so as root the child gives up root instead.
  const int result = SaveInChild([&] {
    if (geteuid() == 0) return setgid(65534) == 0 && setuid(65534) == 0;
    return chmod(folder.c_str(), 0555) == 0;
  });
  chmod(folder.c_str(), 0755);
  EXPECT_EQ(result, 0) << "a save that cannot create its file reports 0";
  EXPECT_EQ(ReadBytes(path_), old) << "the old file stays byte for byte";
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
      << "nothing but the old file is in the folder";
}

TEST_F(HighscoreTable, AFailedWriteRemovesTheTemporaryFile) {
  const std::string old = RecordBytes("old", 77);
  WriteBytes(path_, old);
  FillTable({500, 400});
  // Files may grow to 10 bytes only: the temporary file is created, and writing it fails.
  const int result = SaveInChild([] {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{10, 10};
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
  });
  EXPECT_EQ(result, 0) << "a failed write reports 0";
  EXPECT_EQ(ReadBytes(path_), old) << "the old file stays byte for byte";
  EXPECT_FALSE(fs::exists(path_ + ".tmp")) << "the temporary file is removed";
}

TEST_F(HighscoreTable, WhereTheProgramsFolderIsClosedThePlayersDataFolderKeepsTheTable) {
  // The test program's folder belongs to root: user nobody may write neither into it nor into a
  // table of root's there, as with a game installed under /usr.
  if (geteuid() != 0) GTEST_SKIP() << "needs root to play user nobody";
  const std::string beside = RecordBytes("installed", 300) + RecordBytes("scores", 200);
  WriteBytes(path_, beside);
  char pattern[] = "/tmp/highscore_data_home_XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string dataHome = pattern;
  ASSERT_EQ(chown(dataHome.c_str(), 65534, 65534), 0);
  const std::string saved = dataHome + "/space/" + fileName_;

  // A run as nobody: loads, inserts `name` with 250 and saves. Gives 10 + the load's result,
  // + 20 when the table's folder is the working directory (where screenshots go), + 40 when the
  // save succeeded.
  const auto run = [&](const std::string& name) {
    return SaveInChildAfter([&] {
      if (setgid(65534) != 0 || setuid(65534) != 0) return -1;
      setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
      InitHighscores(10, fileName_.c_str());
      int result = 10 + (LoadHighscores() ? 1 : 0);
      if (fs::current_path() == fs::path(dataHome + "/space")) result += 20;
      InsertHighscore(name, 250);
      return result;
    });
  };
  EXPECT_EQ(run("first"), 10 + 1 + 20 + 40)
      << "the first run reads the table beside the program and saves into the data folder it makes";
  EXPECT_EQ(ReadBytes(path_), beside) << "the table beside the program stays as it was";
  std::string expected =
      RecordBytes("installed", 300) + RecordBytes("first", 250) + RecordBytes("scores", 200);
  for (int position = 4; position <= 10; ++position) expected += RecordBytes("", 0);
  EXPECT_EQ(ReadBytes(saved), expected) << "the scores carried over, with the new one among them";
  struct stat info {};
  ASSERT_EQ(stat((dataHome + "/space").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u) << "the data folder is made for the player alone";

  EXPECT_EQ(run("second"), 10 + 1 + 20 + 40);
  InitHighscores(10, saved.c_str());
  ASSERT_TRUE(LoadHighscores());
  EXPECT_EQ(HighscoreName(2), "first") << "once the data folder holds a table, that one is read";
  EXPECT_EQ(HighscoreName(3), "second");
  fs::remove_all(dataHome);
}

}  // namespace
