// Tests of the languages: which one is chosen, and that every text and picture the screens show is
// there in English, or falls back to German where a picture is missing.
#include "game/language.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/translation.h"
#include "game/menu.h"
#include "game/pause_screen.h"
#include "game/resources.h"
#include "game/settings.h"
#include "game_fixture.h"
#include "highscore/name_entry.h"
#include "media/builtin/builtin_images.h"
#include "media/draw.h"
#include "media/slots.h"
#include "media/sprite_table.h"
#include "media/sprites.h"
#include "mission/game_state.h"
#include "platform/display.h"

namespace fs = std::filesystem;

namespace {

const std::string kBuild = SPACE_BUILD_DIR;
const std::string kEnglishCatalogue = kBuild + "/locale/en/LC_MESSAGES/space.mo";

// The game has English and Brazilian Portuguese here; German it always has.
bool HasEnglishAndBrazilian(const std::string& language) {
  return language == "en" || language == "pt";
}

// Pixels in which two screens differ, where they are meant to.
int Differing(const Picture& a, const Picture& b) {
  int count = 0;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) count += a[i] != b[i];
  return count;
}

std::string Choose(const std::string& chosen, LocaleVariables locale) {
  return ChooseLanguage(chosen, locale, HasEnglishAndBrazilian);
}

TEST(Language, TheCommandLineOrTheSettingsChooseElseTheLocaleVariablesInTheirOrder) {
  const LocaleVariables none{nullptr, nullptr, nullptr, nullptr};
  EXPECT_EQ(Choose("", none), "de") << "no locale at all: German, the game's own";
  EXPECT_EQ(Choose("en", {nullptr, "de_DE.UTF-8", nullptr, nullptr}), "en") << "a choice beats the locale";
  EXPECT_EQ(Choose("de", {"en", "en_US.UTF-8", "en_US.UTF-8", "en_US.UTF-8"}), "de");

  EXPECT_EQ(Choose("", {"fr:en_GB:de", "de_DE.UTF-8", nullptr, nullptr}), "en")
      << "LANGUAGE: the first entry the game has, before LC_ALL";
  EXPECT_EQ(Choose("", {":de", "en_US.UTF-8", nullptr, nullptr}), "de") << "empty entries are passed over";
  EXPECT_EQ(Choose("", {"fr:it", "en_US.UTF-8", nullptr, nullptr}), "en")
      << "a LANGUAGE of languages the game lacks leaves the choice to the locale";
  EXPECT_EQ(Choose("", {"", "en_GB.UTF-8", "de_DE", "de_DE"}), "en") << "an empty LANGUAGE is none; LC_ALL";
  EXPECT_EQ(Choose("", {nullptr, "", "en_US.UTF-8", "de_DE"}), "en") << "an empty LC_ALL; LC_MESSAGES";
  EXPECT_EQ(Choose("", {nullptr, nullptr, "", "en_US.UTF-8"}), "en") << "then LANG";
  EXPECT_EQ(Choose("", {nullptr, "fr_FR", nullptr, "en_US.UTF-8"}), "de")
      << "the first variable set decides, also for a language the game lacks";

  struct Case {
    const char* lang;
    const char* language;
  };
  for (const Case& c : {Case{"C", "de"}, Case{"POSIX", "de"}, Case{"C.UTF-8", "de"}, Case{"de_AT", "de"},
                        Case{"en_US.UTF-8", "en"}, Case{"en", "en"}, Case{"en@quot", "en"},
                        Case{"pt_BR", "pt"}, Case{"es_ES.UTF-8", "de"}, Case{"english", "de"}}) {
    EXPECT_EQ(Choose("", {nullptr, nullptr, nullptr, c.lang}), c.language) << "LANG=" << c.lang;
  }
  EXPECT_EQ(
      ChooseLanguage("", {nullptr, nullptr, nullptr, "pt_BR"}, [](const std::string&) { return false; }),
      "de")
      << "pt_BR without a Portuguese catalogue, as the game ships: German";
}

TEST(Language, CodesAndLocaleNames) {
  EXPECT_TRUE(IsLanguageCode("en"));
  EXPECT_TRUE(IsLanguageCode("fil"));
  for (const char* wrong : {"", "e", "EN", "english", "en_US", "e1"})
    EXPECT_FALSE(IsLanguageCode(wrong)) << wrong;
  EXPECT_EQ(LanguageOfLocale("de_AT@euro"), "de");
  EXPECT_EQ(LanguageOfLocale("C"), "");
  EXPECT_EQ(LanguageOfLocale("_US"), "");
}

TEST(Language, TheSettingsFileNamesALanguage) {
  Settings settings;
  EXPECT_TRUE(ParseSettings("music = off\nLanguage = EN ; mine\n", settings).empty());
  EXPECT_EQ(settings.language, "en") << "key and value in any case, with an inline comment";
  EXPECT_EQ(
      ParseSettings("language = English\n", settings),
      std::vector<std::string>{"line 1: language is a language code such as de or en, not \"English\""});
  EXPECT_EQ(settings.language, "en") << "a value the key does not take keeps the earlier one";
  const Settings before{.music = true, .language = "en"};
  const Settings after{.music = false, .language = "en"};
  EXPECT_EQ(SettingsText("language = en\nmusic = on\n", before, after),
            "language = en\nmusic = off\neffects = on\nwindow = off\n")
      << "the game writes the switches and keeps the language line as the player wrote it";
  EXPECT_EQ(SettingsText("", Settings{}, Settings{.music = false}).find("language"), std::string::npos)
      << "a file without a language gets no line for it";
}

// The screens in German and in English: the English catalogue and pictures from the build.
class English : public GameScreen {
 protected:
  void TearDown() override {
    PlayLanguage(kGerman, "");
    GameScreen::TearDown();
  }

  static void PlayEnglish() {
    ASSERT_TRUE(PlayLanguage("en", kEnglishCatalogue));
    LoadResources();
    LoadBuiltinPages();
  }

  // Each screen the player sees with text, drawn as it is shown.
  static std::vector<Picture> EveryScreen() {
    std::vector<Picture> screens;
    for (const MissionResult result :
         {MissionResult::kRunningOrWon, MissionResult::kDestroyed, MissionResult::kAborted}) {
      game.missionResult = result;
      game.score = 1234;
      screens.push_back(DrawnMenu());
    }
    for (const MenuPage page : {MenuPage::kBriefing, MenuPage::kHighscoreList}) {
      game.menuState = page;
      screens.push_back(DrawnMenu());
    }
    ResetNameEntry();
    DrawNameEntry();
    PresentFrame();
    screens.push_back(BackBuffer());
    StartPause();
    PauseFrame();
    EndPause();
    PresentFrame();
    screens.push_back(BackBuffer());
    ResetGameState();
    return screens;
  }
};

TEST_F(English, EveryTextTheScreensDrawIsInTheEnglishCatalogue) {
  const std::vector<Picture> german = EveryScreen();
  PlayEnglish();
  const std::vector<Picture> english = EveryScreen();
  EXPECT_EQ(LanguageInPlay(), "en");
  EXPECT_TRUE(UntranslatedTexts().empty()) << "drawn without a translation: " << UntranslatedTexts().front();
  ASSERT_EQ(german.size(), english.size());
  for (std::size_t screen = 0; screen < german.size(); ++screen) {
    EXPECT_GT(Differing(german[screen], english[screen]), 200)
        << "screen " << screen << " shows its words in English";
  }
}

TEST_F(English, ACharacterOutsideTheFontIsDrawnAsAQuestionMark) {
  game.menuState = MenuPage::kHighscoreList;
  UseCatalogue({{"Punktzahl", "?ód? ?"}});
  const Picture marks = DrawnMenu();
  UseCatalogue({{"Punktzahl", "Łódź 🚀"}});
  const Picture outside = DrawnMenu();
  EXPECT_EQ(Differing(marks, outside), 0) << "each character the font lacks is a '?'";
  UseCatalogue({});
  EXPECT_GT(Differing(DrawnMenu(), outside), 0) << "and the heading was drawn";
}

TEST_F(English, ACatalogueThatCannotBeReadPlaysGerman) {
  testing::internal::CaptureStderr();
  EXPECT_FALSE(PlayLanguage("en", kBuild + "/img/x.bmp"));
  EXPECT_FALSE(PlayLanguage("en", kBuild + "/no such catalogue.mo"));
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("not a compiled gettext catalogue; playing in German"), std::string::npos) << said;
  EXPECT_EQ(LanguageInPlay(), "de");
  EXPECT_EQ(Tr("Starten"), "Starten");
}

// A folder of the game's pictures in which some English ones are missing or broken.
class PictureFallback : public English {
 protected:
  void SetUp() override {
    English::SetUp();
    root_ = fs::temp_directory_path() / ("space_pictures_" + std::to_string(getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "img/en");
    for (const auto& file : fs::directory_iterator(kBuild + "/img")) {
      if (file.is_regular_file()) fs::create_symlink(file.path(), root_ / "img" / file.path().filename());
    }
    for (const char* name : {"button_mission.bmp", "button_beenden.bmp", "briefing.bmp", "pause.bmp"}) {
      fs::create_symlink(kBuild + "/img/en/" + name, root_ / "img/en" / name);
    }
    std::ofstream(root_ / "img/en/view2.bmp") << "not a picture";
    ASSERT_EQ(chdir(root_.c_str()), 0);
  }
  void TearDown() override {
    ASSERT_EQ(chdir(SPACE_BUILD_DIR), 0);
    fs::remove_all(root_);
    English::TearDown();
  }

  // The pixels of sprite n, and those of the picture `image` or the file `path` loaded the same way.
  static std::vector<std::uint32_t> Pixels(int n) { return SpriteSlot(n)->pixels; }
  static std::vector<std::uint32_t> Builtin(BuiltinImage image) {
    LoadSpriteMemory(kSpare, image.bytes, image.size);
    return Pixels(kSpare);
  }
  static std::vector<std::uint32_t> File(const std::string& path) {
    LoadSpriteFile(kSpare, path.c_str());
    return Pixels(kSpare);
  }

  static constexpr int kSpare = 99;
  fs::path root_;
};

TEST_F(PictureFallback, AMissingOrBrokenEnglishPictureIsTheGermanOne) {
  PlayEnglish();
  EXPECT_EQ(Pixels(kStartButton), Builtin(ButtonImage(ButtonPicture::kStarten))) << "no English Start button";
  EXPECT_EQ(Pixels(kListButton), Builtin(ButtonImage(ButtonPicture::kBestenliste)));
  EXPECT_EQ(Pixels(kBriefingButton), File("img/en/button_mission.bmp")) << "the English one where it is";
  EXPECT_EQ(Pixels(kBriefingSprite), File("img/en/briefing.bmp"));
  EXPECT_EQ(Pixels(kPauseTitleSprite), File("img/en/pause.bmp"));
  EXPECT_EQ(Pixels(kCockpitRight), File("img/view2.bmp")) << "a file that is no picture: the German panel";
  EXPECT_NE(Pixels(kBriefingButton), Builtin(ButtonImage(ButtonPicture::kMission)));
}

}  // namespace
