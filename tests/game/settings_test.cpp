// Tests of the player's settings: the file's text read and written, and the file kept from one run
// to the next in a temporary XDG_CONFIG_HOME.
#include "game/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "mission/effects.h"
#include "mission/game_state.h"
#include "platform/display.h"

namespace fs = std::filesystem;

namespace {

TEST(SettingsText, ParseReadsTheThreeSwitchesAndLeavesOtherKeysAlone) {
  Settings settings;
  settings.window = true;  // a key the text does not name keeps its value
  const std::string text =
      "# written by hand\n"
      "\n"
      "  ; another comment\n"
      "music=off\r\n"
      "volume = loud\n"
      "  effects   =   off  \n";
  EXPECT_EQ(ParseSettings(text, settings), "");
  EXPECT_FALSE(settings.music) << "music=off without spaces and with CR LF";
  EXPECT_FALSE(settings.effects) << "spaces around key and value do not count";
  EXPECT_TRUE(settings.window) << "a key missing from the file keeps its value";

  EXPECT_EQ(ParseSettings("music = off\nmusic = on\n", settings), "");
  EXPECT_TRUE(settings.music) << "the last line of a key counts";
  EXPECT_EQ(ParseSettings("", settings), "") << "an empty file is understood";
}

TEST(SettingsText, ParseRefusesABrokenFileWhole) {
  const Settings start;
  Settings settings;
  EXPECT_EQ(ParseSettings("music = off\nwindow = yes\n", settings),
            "line 2: window is on or off, not \"yes\"");
  EXPECT_EQ(settings, start) << "a broken file changes nothing, not even its good lines";
  EXPECT_EQ(ParseSettings("music = off\n[space]\n", settings), "line 2 is not `key = value`");
  EXPECT_EQ(ParseSettings(" = on\n", settings), "line 1 is not `key = value`") << "a key is needed";
  EXPECT_EQ(ParseSettings("effects = On\n", settings), "line 1: effects is on or off, not \"On\"");
  EXPECT_EQ(ParseSettings(std::string("\x89PNG\0\x1a", 6), settings), "line 1 is not `key = value`");
  EXPECT_EQ(settings, start);
}

TEST(SettingsText, WritingKeepsEveryOtherLineAndAddsMissingKeys) {
  const std::string text =
      "# mine\n"
      "volume = loud\n"
      "music=on\n"
      "effects = on\n";
  const Settings settings{.music = true, .effects = false, .window = true};
  EXPECT_EQ(SettingsText(text, settings),
            "# mine\n"
            "volume = loud\n"
            "music=on\n"
            "effects = off\n"
            "window = on\n")
      << "a line whose value stays is not rewritten; a changed one is; a missing key is appended";
  EXPECT_EQ(SettingsText("music = off", Settings{}), "music = on\neffects = on\nwindow = off\n")
      << "a last line without a line feed";
  const std::string fresh = SettingsText("", Settings{.music = false});
  EXPECT_EQ(fresh.substr(0, 1), "#") << "a new file starts with a comment on what it is";
  EXPECT_NE(fresh.find("\nmusic = off\neffects = on\nwindow = off\n"), std::string::npos) << fresh;
}

// A temporary XDG_CONFIG_HOME for each test; the game state, the window mode and the environment
// are restored afterwards.
class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/settings_test_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr) savedConfig_ = config;
    setenv("XDG_CONFIG_HOME", (root_ + "/config").c_str(), 1);
    path_ = root_ + "/config/space/settings.ini";
    Restore();
  }
  void TearDown() override {
    Restore();
    if (savedConfig_) {
      setenv("XDG_CONFIG_HOME", savedConfig_->c_str(), 1);
    } else {
      unsetenv("XDG_CONFIG_HOME");
    }
    fs::remove_all(root_);
  }
  static void Restore() {
    keptSettings = KeptSettings{};
    ResetGameState();
    SetDisplayWindowed(false);
  }

  void Write(const std::string& text) {
    fs::create_directories(fs::path(path_).parent_path());
    std::ofstream(path_) << text;
  }
  std::string Read() const {
    std::ifstream in(path_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  // LoadSettings with what it says on stderr.
  std::string LoadTelling(std::optional<bool> window) {
    ::testing::internal::CaptureStderr();
    LoadSettings(window);
    return ::testing::internal::GetCapturedStderr();
  }
  std::string KeepTelling() {
    ::testing::internal::CaptureStderr();
    KeepSettings();
    return ::testing::internal::GetCapturedStderr();
  }

  std::string root_;
  std::string path_;
  std::optional<std::string> savedConfig_;
};

TEST_F(SettingsFile, TheFirstRunPlaysWithTheDefaultsAndTheFirstSwitchMakesTheFile) {
  EXPECT_EQ(LoadTelling(std::nullopt), "") << "no file yet is said nothing about";
  EXPECT_EQ(game.musicOn, 1);
  EXPECT_EQ(game.soundOn, 1);
  EXPECT_FALSE(IsDisplayWindowed()) << "the full screen by default";
  KeepSettings();
  EXPECT_FALSE(fs::exists(path_)) << "nothing is written while nothing was switched";

  ToggleEffects();
  EXPECT_EQ(KeepTelling(), "");
  ASSERT_TRUE(fs::exists(path_)) << "switching makes the file and its folders";
  EXPECT_NE(Read().find("\neffects = off\n"), std::string::npos) << Read();
  EXPECT_FALSE(fs::exists(path_ + ".tmp")) << "the temporary file is renamed, not left";

  SetDisplayWindowed(true);  // Alt+Return
  KeepSettings();
  Restore();
  LoadSettings(std::nullopt);
  EXPECT_EQ(game.musicOn, 1);
  EXPECT_EQ(game.soundOn, 0) << "the next run starts with the effects off";
  EXPECT_TRUE(IsDisplayWindowed()) << "and in a window";
}

TEST_F(SettingsFile, ASaveKeepsTheOtherLinesTheModeAndALink) {
  const std::string dotfiles = root_ + "/dotfiles/settings.ini";
  fs::create_directories(root_ + "/dotfiles");
  std::ofstream(dotfiles) << "# my settings\nvolume = loud\nmusic = on\n";
  ASSERT_EQ(chmod(dotfiles.c_str(), 0600), 0);
  fs::create_directories(fs::path(path_).parent_path());
  fs::create_symlink(dotfiles, path_);
  LoadSettings(std::nullopt);
  ToggleMusic();
  KeepSettings();
  EXPECT_TRUE(fs::is_symlink(path_)) << "a settings file that is a link stays one";
  EXPECT_EQ(Read(), "# my settings\nvolume = loud\nmusic = off\neffects = on\nwindow = off\n");
  struct stat info {};
  ASSERT_EQ(stat(dotfiles.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u) << "the file keeps its mode";
}

TEST_F(SettingsFile, TheCommandLineChoosesTheWindowForThisRunOnly) {
  Write("window = off\n");
  LoadSettings(true);  // --window
  EXPECT_TRUE(IsDisplayWindowed());
  ToggleMusic();
  KeepSettings();
  EXPECT_EQ(Read(), "window = off\nmusic = off\neffects = on\n") << "--window does not go into the file";

  SetDisplayWindowed(false);  // Alt+Return: the full screen the file already holds
  KeepSettings();
  EXPECT_EQ(Read(), "window = off\nmusic = off\neffects = on\n");
  SetDisplayWindowed(true);  // and back: now the player chose the window
  KeepSettings();
  EXPECT_EQ(Read(), "window = on\nmusic = off\neffects = on\n");

  Write("window = on\n");
  Restore();
  LoadSettings(false);  // --fullscreen
  EXPECT_FALSE(IsDisplayWindowed()) << "--fullscreen wins over the file";
  EXPECT_EQ(game.musicOn, 1) << "while the file's other settings count";
}

TEST_F(SettingsFile, ABrokenOrUnreadableFileGivesTheDefaultsOnceAndIsLeftAlone) {
  const std::string broken = "music = off\nwindow = maybe\n";
  Write(broken);
  SetDisplayWindowed(true);
  const std::string told = LoadTelling(std::nullopt);
  EXPECT_EQ(told, "space: " + path_ +
                      ": line 2: window is on or off, not \"maybe\"; playing with the default settings, "
                      "the file is left as it is\n");
  EXPECT_EQ(game.musicOn, 1) << "the defaults, not the good lines of a broken file";
  EXPECT_FALSE(IsDisplayWindowed());
  ToggleEffects();
  EXPECT_EQ(KeepTelling(), "") << "one line only";
  EXPECT_EQ(Read(), broken) << "the player's broken file is not overwritten";

  Restore();
  fs::remove(path_);
  fs::create_directory(path_);
  const std::string unreadable = LoadTelling(std::nullopt);
  EXPECT_EQ(unreadable.find("space: " + path_ + ": not a regular file;"), 0u) << unreadable;
  EXPECT_EQ(std::count(unreadable.begin(), unreadable.end(), '\n'), 1);
  EXPECT_EQ(game.soundOn, 1);
}

TEST_F(SettingsFile, AFailedSaveIsToldAndTheGameGoesOn) {
  std::ofstream(root_ + "/config") << "a file where the folder should be";
  EXPECT_EQ(LoadTelling(std::nullopt).find("space: " + path_ + ": Not a directory;"), 0u);
  Restore();
  fs::remove(root_ + "/config");
  LoadSettings(std::nullopt);
  std::ofstream(root_ + "/config") << "a file where the folder should be";
  ToggleMusic();
  EXPECT_EQ(KeepTelling(), "space: cannot save the settings in " + path_ + "\n");
  EXPECT_EQ(KeepTelling(), "") << "told once, not every frame";
  EXPECT_EQ(game.musicOn, 0) << "the switch holds for this run";

  fs::remove(root_ + "/config");
  ToggleEffects();
  KeepSettings();
  EXPECT_TRUE(Read().ends_with("\nmusic = off\neffects = off\nwindow = off\n"))
      << "the next save brings both";
}

TEST_F(SettingsFile, NothingIsWrittenBeforeTheSettingsWereRead) {
  ToggleMusic();
  SetDisplayWindowed(true);
  KeepSettings();  // as in the tests of the loops, which never read the player's settings
  EXPECT_FALSE(fs::exists(root_ + "/config"));
}

}  // namespace
