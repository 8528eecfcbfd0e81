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
#include <utility>
#include <vector>

#include "mission/effects.h"
#include "mission/game_state.h"
#include "platform/display.h"

namespace fs = std::filesystem;

namespace {

TEST(SettingsText, ParseReadsEveryWayOfWritingASwitch) {
  Settings settings;
  settings.window = true;  // a key the text does not name keeps its value
  const std::string text =
      "\xEF\xBB\xBF# written by hand\n"
      "\n"
      "  ; another comment\n"
      "[space]\n"
      "[sound] ; the two switches of the sound\n"
      "music=FALSE\r\n"
      "volume = loud\n"
      "  Effects   =   off  # at night\n";
  EXPECT_EQ(ParseSettings(text, settings), std::vector<std::string>{});
  EXPECT_FALSE(settings.music)
      << "music=FALSE without spaces, after a byte order mark and sections, with CR LF";
  EXPECT_FALSE(settings.effects) << "a key in another case, blanks around key and value, an inline comment";
  EXPECT_TRUE(settings.window) << "a key missing from the file keeps its value";

  const std::pair<const char*, bool> values[] = {{"on", true},     {"Off", false}, {"TRUE", true},
                                                 {"false", false}, {"yEs", true},  {"NO", false},
                                                 {"1", true},      {"0", false}};
  for (const auto& [value, on] : values) {
    settings.effects = !on;
    EXPECT_EQ(ParseSettings(std::string("effects = ") + value + ";x\n", settings),
              std::vector<std::string>{});
    EXPECT_EQ(settings.effects, on) << value;
  }
  EXPECT_TRUE(ParseSettings("music = off\nmusic = on", settings).empty());
  EXPECT_TRUE(settings.music) << "the last line of a key counts";
  EXPECT_TRUE(ParseSettings("", settings).empty()) << "an empty file is understood";
}

TEST(SettingsText, ParseNamesWhatItDoesNotUnderstandAndReadsTheRest) {
  Settings settings;
  settings.window = true;
  const std::vector<std::string> problems = ParseSettings(
      "music = off\n"
      "window = maybe\n"
      "[broken\n"
      "garbage\n"
      " = on\n"
      "effects = # switched off? no value\n"
      "[sound] effects = off\n"
      "music = 2\n",
      settings);
  EXPECT_EQ(problems, (std::vector<std::string>{
                          "line 2: window is on or off, not \"maybe\"", "line 3 is not `key = value`",
                          "line 4 is not `key = value`", "line 5 is not `key = value`",
                          "line 6: effects is on or off, not \"\"", "line 7 is not `key = value`",
                          "line 8: music is on or off, not \"2\""}));
  EXPECT_EQ(settings, (Settings{.music = false, .effects = true, .window = true}))
      << "the good lines count; a bad value leaves the value read before it, or the one given";
}

// The settings as a file of `text` holds them, from the defaults.
Settings Held(const std::string& text) {
  Settings settings;
  ParseSettings(text, settings);
  return settings;
}

TEST(SettingsText, WritingChangesOnlyTheValuesOfTheKeysThatChanged) {
  const std::string text =
      "\xEF\xBB\xBFmusic=true   # at night\r\n"
      "[space]\n"
      "volume = loud\n"
      "window = maybe\n"
      "  Effects = Yes ; mine\n"
      "effects = ON\n";
  EXPECT_EQ(SettingsText(text, Held(text), Settings{.music = false, .effects = false, .window = false}),
            "\xEF\xBB\xBFmusic=false   # at night\r\n"
            "[space]\n"
            "volume = loud\n"
            "window = maybe\n"
            "  Effects = No ; mine\n"
            "effects = OFF\n")
      << "each line of a changed key in its own words; a line not understood of a key kept stays";
  EXPECT_EQ(SettingsText(text, Held(text), Settings{.music = true, .effects = true, .window = true}),
            "\xEF\xBB\xBFmusic=true   # at night\r\n"
            "[space]\n"
            "volume = loud\n"
            "window = on\n"
            "  Effects = Yes ; mine\n"
            "effects = ON\n")
      << "the player switched the window: its line not understood is written anew";

  EXPECT_EQ(
      SettingsText("# mine\nmusic =\neffects=;x", Settings{}, Settings{.music = false, .effects = false}),
      "# mine\nmusic = off\neffects= off;x\nwindow = off\n")
      << "an empty value, a last line without a line feed, a missing key appended";
  const std::string fresh = SettingsText("", Settings{}, Settings{.music = false});
  EXPECT_EQ(fresh.substr(0, 1), "#") << "a new file starts with a comment on what it is";
  EXPECT_NE(fresh.find("\nmusic = off\neffects = on\nwindow = off\n"), std::string::npos) << fresh;
  EXPECT_EQ(Held(fresh), Settings{.music = false});
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

TEST_F(SettingsFile, LinesNotUnderstoodAreToldOnceAndKeptUntilTheirSettingIsSwitched) {
  Write("music = off\nwindow = maybe\n");
  SetDisplayWindowed(true);
  EXPECT_EQ(LoadTelling(std::nullopt),
            "space: " + path_ +
                ": line 2: window is on or off, not \"maybe\"; the line is left as it "
                "is and not used\n");
  EXPECT_EQ(game.musicOn, 0) << "the good lines count";
  EXPECT_FALSE(IsDisplayWindowed()) << "the default for the line not understood";
  ToggleEffects();
  EXPECT_EQ(KeepTelling(), "") << "told once only";
  EXPECT_EQ(Read(), "music = off\nwindow = maybe\neffects = off\n") << "the player's line stays";
  SetDisplayWindowed(true);  // Alt+Return: now the player chose
  KeepSettings();
  EXPECT_EQ(Read(), "music = off\nwindow = on\neffects = off\n");
  SetDisplayWindowed(false);  // and back
  KeepSettings();
  EXPECT_EQ(Read(), "music = off\nwindow = off\neffects = off\n");

  Restore();
  Write("a\nb\nc\nd\ne\nmusic = off\n");
  const std::string told = LoadTelling(std::nullopt);
  EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 4) << told;
  EXPECT_NE(told.find("line 3 is not `key = value`"), std::string::npos) << told;
  EXPECT_NE(told.find(": 2 more lines not understood"), std::string::npos) << told;
  EXPECT_EQ(game.musicOn, 0) << "read past them";
}

TEST_F(SettingsFile, AFileThatCannotBeReadGivesTheDefaultsOnceAndIsLeftAlone) {
  const std::string picture = std::string("music = off\n\x89PNG") + '\0' + "\x1a\n";
  Write(picture);
  const std::string told = LoadTelling(std::nullopt);
  EXPECT_EQ(told, "space: " + path_ +
                      ": not a text file; playing with the default settings, the file is left as it is\n");
  EXPECT_EQ(game.musicOn, 1) << "the defaults, not the lines of something else";
  ToggleEffects();
  EXPECT_EQ(KeepTelling(), "");
  EXPECT_EQ(Read(), picture) << "nothing is added to it";

  Restore();
  fs::remove(path_);
  fs::create_directory(path_);
  const std::string unreadable = LoadTelling(std::nullopt);
  EXPECT_EQ(unreadable.find("space: " + path_ + ": not a regular file;"), 0u) << unreadable;
  EXPECT_EQ(std::count(unreadable.begin(), unreadable.end(), '\n'), 1);
  EXPECT_EQ(game.soundOn, 1);
}

TEST_F(SettingsFile, ALinkToAFileNotYetMadeIsWrittenThroughAndStaysALink) {
  fs::create_directories(root_ + "/dotfiles");
  fs::create_directories(fs::path(path_).parent_path());
  fs::create_symlink("../../dotfiles/space.ini", path_);  // relative to the link's folder
  EXPECT_EQ(LoadTelling(std::nullopt), "") << "a link to nothing yet is no file yet";
  ToggleMusic();
  EXPECT_EQ(KeepTelling(), "");
  EXPECT_TRUE(fs::is_symlink(path_)) << "the link is not replaced by a file";
  EXPECT_NE(Read().find("\nmusic = off\n"), std::string::npos) << "the file it names is made";
  EXPECT_TRUE(fs::exists(root_ + "/dotfiles/space.ini"));

  Restore();
  fs::remove(path_);
  const std::string away = root_ + "/unplugged/space.ini";
  fs::create_symlink(away, path_);
  LoadSettings(std::nullopt);
  ToggleMusic();
  EXPECT_EQ(KeepTelling(),
            "space: cannot save the settings in " + away + ", the file that " + path_ + " links to\n");
  EXPECT_TRUE(fs::is_symlink(path_));
  EXPECT_FALSE(fs::exists(root_ + "/unplugged")) << "a missing folder of the link's file is not made";

  fs::remove(path_);
  fs::create_symlink("settings.ini", path_);  // made during the run
  ToggleMusic();
  EXPECT_EQ(KeepTelling(),
            "space: cannot save the settings in " + path_ + ": its links go round in a circle\n");
  EXPECT_TRUE(fs::is_symlink(path_));
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
