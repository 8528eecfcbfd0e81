// Tests of the game's folders: pictures and sounds beside the program or in its installed data
// folder; table and screenshots in the program's folder or in the player's data folder.
#include "base/data_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr uid_t kNobody = 65534;

// A fresh folder under /tmp that user nobody may pass through; environment restored afterwards.
class DataFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/data_folder_test_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    root_ += "/";
    chmod(root_.c_str(), 0755);
    for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "HOME"}) {
      const char* value = std::getenv(name);
      saved_.emplace_back(name, value != nullptr ? std::optional<std::string>(value) : std::nullopt);
    }
    start_ = fs::current_path();
  }
  void TearDown() override {
    fs::current_path(start_);
    for (const auto& [name, value] : saved_) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
    fs::remove_all(root_);
  }

  void MakeFolder(const std::string& path, uid_t owner = 0, mode_t mode = 0755) {
    fs::create_directories(root_ + path);
    if (geteuid() == 0) {
      ASSERT_EQ(chown((root_ + path).c_str(), owner, owner), 0);
    }
    ASSERT_EQ(chmod((root_ + path).c_str(), mode), 0);
  }

  void MakeFile(const std::string& path, uid_t owner = 0, mode_t mode = 0644) {
    std::ofstream(root_ + path) << "table";
    if (geteuid() == 0) {
      ASSERT_EQ(chown((root_ + path).c_str(), owner, owner), 0);
    }
    ASSERT_EQ(chmod((root_ + path).c_str(), mode), 0);
  }

  // DataFolderFor(program, "kvshs.dat") as user nobody, with XDG_DATA_HOME at root_ + "xdg".
  std::string ChosenByNobody(const std::string& program) {
    const std::string answer = root_ + "answer";
    const pid_t child = fork();
    if (child == 0) {
      if (setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(2);
      setenv("XDG_DATA_HOME", (root_ + "xdg").c_str(), 1);
      const std::string folder = DataFolderFor(program, "kvshs.dat");
      std::ofstream(root_ + "out/answer") << folder;
      _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    std::ifstream in(root_ + "out/answer");
    std::string folder;
    std::getline(in, folder);
    fs::remove(root_ + "out/answer");
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? folder : "(failed)";
  }

  std::string root_;  // with a trailing '/'
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
  fs::path start_;
};

TEST_F(DataFolder, PicturesAreBesideTheProgramOrInTheInstalledDataFolder) {
  MakeFolder("prefix/bin");
  EXPECT_EQ(ResourceFolderFor(root_ + "prefix/bin/"), "") << "no pictures anywhere: the working directory";
  MakeFolder("prefix/share/space/img");
  EXPECT_EQ(ResourceFolderFor(root_ + "prefix/bin/"), root_ + "prefix/bin/../share/space/")
      << "an installed program finds share/space/ of its prefix";
  MakeFolder("prefix/bin/img");
  EXPECT_EQ(ResourceFolderFor(root_ + "prefix/bin/"), root_ + "prefix/bin/")
      << "pictures beside the program (its build folder) come first";
  EXPECT_EQ(ResourceFolderFor(""), "") << "a program folder that could not be found";
}

TEST_F(DataFolder, UserDataFolderFollowsXdgDataHomeThenHome) {
  setenv("XDG_DATA_HOME", "/srv/data", 1);
  setenv("HOME", "/home/pilot", 1);
  EXPECT_EQ(UserDataFolder(), "/srv/data/space/");
  setenv("XDG_DATA_HOME", "/srv/data/", 1);
  EXPECT_EQ(UserDataFolder(), "/srv/data/space/") << "one slash between the parts";
  setenv("XDG_DATA_HOME", "", 1);
  EXPECT_EQ(UserDataFolder(), "/home/pilot/.local/share/space/") << "an empty XDG_DATA_HOME counts as unset";
  setenv("XDG_DATA_HOME", "relative/data", 1);
  EXPECT_EQ(UserDataFolder(), "/home/pilot/.local/share/space/") << "a relative XDG_DATA_HOME is ignored";
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(UserDataFolder(), "/home/pilot/.local/share/space/");
}

TEST_F(DataFolder, UserConfigFolderFollowsXdgConfigHomeThenHome) {
  setenv("XDG_CONFIG_HOME", "/srv/config/", 1);
  setenv("XDG_DATA_HOME", "/srv/data", 1);
  setenv("HOME", "/home/pilot", 1);
  EXPECT_EQ(UserConfigFolder(), "/srv/config/space/") << "the settings follow XDG_CONFIG_HOME, not the data";
  setenv("XDG_CONFIG_HOME", "", 1);
  EXPECT_EQ(UserConfigFolder(), "/home/pilot/.config/space/") << "an empty XDG_CONFIG_HOME counts as unset";
  setenv("XDG_CONFIG_HOME", "config", 1);
  EXPECT_EQ(UserConfigFolder(), "/home/pilot/.config/space/") << "a relative XDG_CONFIG_HOME is ignored";
}

TEST_F(DataFolder, TheTableStaysBesideTheProgramWhereThePlayerMayWriteThere) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to play user nobody";
  MakeFolder("out", kNobody, 0777);
  MakeFolder("xdg", kNobody);
  MakeFolder("build", kNobody);
  EXPECT_EQ(ChosenByNobody(root_ + "build/"), root_ + "build/") << "a folder the player may write into";

  MakeFolder("usr/bin");
  EXPECT_EQ(ChosenByNobody(root_ + "usr/bin/"), root_ + "xdg/space/")
      << "a closed folder without a table: the player's data folder";
  MakeFile("usr/bin/kvshs.dat");
  EXPECT_EQ(ChosenByNobody(root_ + "usr/bin/"), root_ + "xdg/space/")
      << "a closed folder whose table the player may not write: the player's data folder";
  MakeFile("usr/bin/kvshs.dat", kNobody);
  EXPECT_EQ(ChosenByNobody(root_ + "usr/bin/"), root_ + "usr/bin/")
      << "a closed folder with a table the player may write: the table is saved in place";
  EXPECT_EQ(DataFolderFor(root_ + "usr/bin/", "/elsewhere/kvshs.dat"), root_ + "usr/bin/")
      << "an absolute file name needs no choice";
}

TEST_F(DataFolder, MakeFoldersAndEnterFolderMakeTheMissingFoldersForThePlayerAlone) {
  const std::string folder = root_ + "home/.local/share/space/";
  ASSERT_TRUE(EnterFolder(folder));
  EXPECT_EQ(fs::current_path(), fs::path(root_ + "home/.local/share/space"));
  struct stat info {};
  ASSERT_EQ(stat(folder.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u) << "a data folder is the player's alone";
  ASSERT_TRUE(EnterFolder(root_ + "home")) << "an existing folder is entered as it is";
  MakeFile("file");
  EXPECT_FALSE(EnterFolder(root_ + "file/space/")) << "a file stands in the way";
  EXPECT_FALSE(EnterFolder(""));
  EXPECT_FALSE(MakeFolders(root_ + "file/space/")) << "a file stands in the way of making one";
  ASSERT_TRUE(MakeFolders(root_ + "config/space"));
  EXPECT_EQ(fs::current_path(), fs::path(root_ + "home")) << "making a folder does not enter it";
  EXPECT_TRUE(fs::is_directory(root_ + "config/space"));
}

}  // namespace
