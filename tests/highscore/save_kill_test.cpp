// Tests of the highscore save against a process that dies in the middle of it: killed at every
// system call of the save, before and after it runs, and stopped after every byte of the new file.
// Whatever the moment, "kvshs.dat" is the old file byte for byte or the complete new table, and
// the next save succeeds.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "highscore/highscore_file.h"
#include "highscore/highscore_table.h"

namespace fs = std::filesystem;

namespace {

constexpr int kNotTraceable = 3;  // exit code of a child that may not be traced here

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

bool IsRename(long number) {
#ifdef SYS_rename
  if (number == SYS_rename) return true;
#endif
  return number == SYS_renameat || number == SYS_renameat2;
}

bool IsSync(long number) {
  return number == SYS_fsync || number == SYS_fdatasync;
}

// One syscall stop of the traced save.
struct SyscallStop {
  long number;  // the system call
  bool entry;   // true: it is about to run; false: it has run
};

std::string Describe(const SyscallStop& stop) {
  return std::string(stop.entry ? "before" : "after") + " system call " + std::to_string(stop.number);
}

// A save in a child process under ptrace, killed with SIGKILL at its killAt-th syscall stop (1
// counts from the first) or, for 0, left to finish.
struct TracedSave {
  bool traceable = true;           // false: this machine does not allow tracing the child
  bool killed = false;             // the child was killed at stop killAt
  int exitCode = -1;               // SaveHighscores' result when the child finished
  std::vector<SyscallStop> stops;  // every stop up to the kill or the end
};

[[noreturn]] void SaveAsTracee() {
  if (ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) _exit(kNotTraceable);
  raise(SIGSTOP);  // the tracer takes over from here
  _exit(SaveHighscores());
}

TracedSave TraceSave(std::size_t killAt) {
  TracedSave run;
  const pid_t child = fork();
  if (child == 0) SaveAsTracee();
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFSTOPPED(status)) {
    run.traceable = false;
    return run;
  }
  ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
  int pendingSignal = 0;  // the initial SIGSTOP is swallowed
  long lastNumber = -1;
  for (;;) {
    ptrace(PTRACE_SYSCALL, child, nullptr, pendingSignal);
    pendingSignal = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status)) {
      run.exitCode = WEXITSTATUS(status);
      return run;
    }
    if (WIFSIGNALED(status)) return run;
    if (WSTOPSIG(status) != (SIGTRAP | 0x80)) {
      pendingSignal = WSTOPSIG(status);  // a signal of the child's own, delivered on resume
      continue;
    }
    __ptrace_syscall_info info{};
    ptrace(PTRACE_GET_SYSCALL_INFO, child, sizeof info, &info);
    const bool entry = info.op == PTRACE_SYSCALL_INFO_ENTRY;
    if (entry) lastNumber = static_cast<long>(info.entry.nr);
    run.stops.push_back({lastNumber, entry});
    if (run.stops.size() == killAt) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      run.killed = true;
      return run;
    }
  }
}

void KillSelf(int) {
  raise(SIGKILL);
}

// A save in a child process that may write files of at most `bytes` bytes and is killed when it
// tries to write more. The child's exit status as waitpid gives it.
int SaveWithSizeLimit(std::size_t bytes) {
  const pid_t child = fork();
  if (child == 0) {
    signal(SIGXFSZ, KillSelf);
    const rlimit limit{bytes, bytes};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(2);
    _exit(SaveHighscores());
  }
  int status = 0;
  waitpid(child, &status, 0);
  return status;
}

// The table is loaded from an old file that an earlier run left, with longer names and old bytes
// after its tenth record; a new entry is inserted. Each case starts again from that old file.
class SaveKill : public ::testing::Test {
 protected:
  void SetUp() override {
    char folderTemplate[] = "/tmp/save_kill_XXXXXX";
    ASSERT_NE(mkdtemp(folderTemplate), nullptr);
    folder_ = folderTemplate;
    path_ = folder_ + "/kvshs.dat";

    std::vector<HighscoreEntry> old;
    for (int position = 1; position <= 10; ++position) {
      old.push_back({"veteran pilot number " + std::to_string(position), 1000 - 90 * position});
    }
    oldBytes_ = SerializeHighscores(old) + "bytes of an even older table";
    RestoreOldFile();

    InitHighscores(10, path_.c_str());
    ASSERT_TRUE(LoadHighscores()) << "the old file is the table's start";
    ASSERT_EQ(InsertHighscore("ace", 950), 1) << "setup: the new entry goes on top";
    std::vector<HighscoreEntry> now;
    for (int position = 1; position <= 10; ++position) {
      now.push_back({HighscoreName(position), HighscoreScore(position)});
    }
    newBytes_ = SerializeHighscores(now);
    ASSERT_NE(newBytes_, oldBytes_.substr(0, newBytes_.size())) << "setup: the tables differ at the start";
  }

  void TearDown() override { fs::remove_all(folder_); }

  void RestoreOldFile() {
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_)) fs::remove_all(entry.path());
    WriteBytes(path_, oldBytes_);
  }

  std::set<std::string> FolderEntries() const {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  // After an interrupted save the next one succeeds and leaves the new table and nothing else.
  void ExpectTheNextSaveSucceeds(const std::string& when) {
    EXPECT_TRUE(SaveHighscores()) << "a save after a save killed " << when << " succeeds";
    EXPECT_EQ(ReadBytes(path_), newBytes_) << "a save after a save killed " << when << " writes the table";
    EXPECT_EQ(FolderEntries(), std::set<std::string>{"kvshs.dat"})
        << "no temporary file is left after a save that followed a save killed " << when;
  }

  std::string folder_;
  std::string path_;
  std::string oldBytes_;
  std::string newBytes_;
};

TEST_F(SaveKill, AKillAtAnySystemCallLeavesTheOldOrTheNewFile) {
#if defined(__SANITIZE_ADDRESS__)
  // The sanitizers' runtime makes system calls of its own (signal stacks) that vary from one traced
  // save to the next, so the stops of one save do not match another's; the plain build runs it.
  GTEST_SKIP() << "the system calls of a save vary under the sanitizers";
#endif
  const TracedSave whole = TraceSave(0);
  if (!whole.traceable) GTEST_SKIP() << "ptrace is not permitted on this machine";
  ASSERT_EQ(whole.exitCode, 1) << "the traced save succeeds";
  ASSERT_EQ(ReadBytes(path_), newBytes_) << "the traced save writes the new table";

  // The order that makes the save durable: the new file's bytes reach the disk before the rename,
  // and the folder holding the rename reaches it afterwards.
  const auto& stops = whole.stops;
  const auto rename =
      std::find_if(stops.begin(), stops.end(), [](const SyscallStop& s) { return IsRename(s.number); });
  ASSERT_NE(rename, stops.end()) << "the new file replaces the old one by a rename";
  EXPECT_TRUE(std::any_of(stops.begin(), rename, [](const SyscallStop& s) { return IsSync(s.number); }))
      << "the temporary file is synced before the rename";
  EXPECT_TRUE(std::any_of(rename, stops.end(), [](const SyscallStop& s) { return IsSync(s.number); }))
      << "the folder is synced after the rename";

  std::size_t firstNew = 0;  // the first stop whose kill leaves the new table
  for (std::size_t killAt = 1; killAt <= stops.size(); ++killAt) {
    RestoreOldFile();
    const TracedSave run = TraceSave(killAt);
    const std::string when = Describe(stops[killAt - 1]) + " (stop " + std::to_string(killAt) + ")";
    ASSERT_TRUE(run.killed) << "the save is killed " << when;
    const std::string bytes = ReadBytes(path_);
    if (bytes == newBytes_) {
      if (firstNew == 0) firstNew = killAt;
    } else {
      EXPECT_EQ(bytes, oldBytes_) << "killed " << when << ", the file is the old one byte for byte";
      EXPECT_EQ(firstNew, 0u) << "killed " << when << ", the old file is back after a kill at stop "
                              << firstNew << " had left the new one";
    }
    ExpectTheNextSaveSucceeds(when);
  }
  ASSERT_NE(firstNew, 0u) << "a kill after the rename leaves the new table";
  ASSERT_GE(firstNew, 2u) << "a kill before the rename leaves the old file";
  EXPECT_TRUE(IsRename(stops[firstNew - 1].number) && !stops[firstNew - 1].entry && stops[firstNew - 2].entry)
      << "the new table appears exactly when the rename has run, not " << Describe(stops[firstNew - 1]);
}

TEST_F(SaveKill, AKillAfterAnyByteOfTheNewFileLeavesTheOldFile) {
  const std::string temporary = path_ + ".tmp";
  for (std::size_t bytes = 0; bytes < newBytes_.size(); ++bytes) {
    RestoreOldFile();
    const std::string when = "after " + std::to_string(bytes) + " bytes";
    const int status = SaveWithSizeLimit(bytes);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        << "the save dies at the size limit of " << bytes << " bytes";
    // Where the unfinished file is kept is the save's business; it holds exactly the bytes written.
    if (fs::exists(temporary)) {
      EXPECT_EQ(fs::file_size(temporary), bytes) << "killed " << when;
    }
    EXPECT_EQ(ReadBytes(path_), oldBytes_) << "killed " << when << ", the file is the old one byte for byte";
    ExpectTheNextSaveSucceeds(when);
  }
  RestoreOldFile();
  const int status = SaveWithSizeLimit(newBytes_.size());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1)
      << "a limit of the table's size lets it be saved";
  EXPECT_EQ(ReadBytes(path_), newBytes_);
}

}  // namespace
