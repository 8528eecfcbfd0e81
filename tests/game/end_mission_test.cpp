// Tests of the end of a mission: the score of a won mission, the offer of a place in the table,
// and the name-entry screen that follows.
#include "game/end_mission.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>

#include "base/program_folder.h"
#include "game/name_entry_screen.h"
#include "highscore/highscore_table.h"
#include "highscore/name_entry.h"
#include "mission/game_state.h"
#include "platform/display.h"
#include "platform/frame_pacing.h"
#include "platform/input.h"
#include "platform/multimedia.h"
#include "platform/testing/input_injection.h"

namespace {

constexpr int kFertigX = 600;  // centre of the "Fertig" button
constexpr int kFertigY = 555;

class EndOfMission : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    ResetNameEntry();
    InitDisplay();
    OpenDisplay(800, 600, 32, "Space");
    InitKeyboard();
    InitMouse();
    SetFrameRate(0);
    // Each test its own file beside the test program: tests may run side by side.
    tableFile = std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".dat";
    InitHighscores(10, tableFile.c_str());
    EnterProgramFolder();
    std::remove(tableFile.c_str());
  }

  void TearDown() override {
    ShutdownMultimedia();
    EnterProgramFolder();
    std::remove(tableFile.c_str());
  }

  // The end of a won mission like the worked example: 0 + 400 + 50000 + 20005.
  static void WorkedExample() {
    game.missionStartTime = 3600000;
    game.shotsFired = 250;
    game.hull = 2500;
    game.energy = 1000.25f;
  }

  // Keys that an earlier frame saw held (as the mission's own key tests do) and that were released
  // just before the screen opened: the screen's first frame reports their release.
  static void SeenHeldThenReleased(std::initializer_list<int> keys) {
    for (int key : keys) InjectKey(key, true);
    PollKeyboard();
    for (int key : keys) WasKeyReleased(key);
    for (int key : keys) InjectKey(key, false);
  }

  // Holds the keys over one frame of the screen, then releases them for the next one.
  static void TypeInFrames(std::initializer_list<int> keys) {
    for (int key : keys) InjectKey(key, true);
    NameEntryFrame();
    for (int key : keys) InjectKey(key, false);
    NameEntryFrame();
  }

  static void FillTable(int points) {
    for (int i = 0; i < 10; ++i) InsertHighscore("best", points);
  }

  std::string tableFile;
};

// Ends the child of a death test: status 0 when every check holds, otherwise 1 with the broken
// rules on stderr (shown by the parent).
[[noreturn]] void ExitWithChecks(std::initializer_list<std::pair<bool, const char*>> checks) {
  int status = 0;
  for (const auto& [held, rule] : checks) {
    if (!held) {
      std::fprintf(stderr, "broken: %s\n", rule);
      status = 1;
    }
  }
  std::_Exit(status);
}

TEST_F(EndOfMission, WinFormula) {
  // Each case changes the worked example (3600000, 250 shots, hull 2500, energy 1000.25: 70405).
  struct Case {
    int startTime, shots, hull;
    float energy;
    int expected;
    const char* rule;
  };
  const Case cases[] = {
      {3600000, 250, 2500, 1000.25f, 70405, "0 + 100000 / 250 + 2500 * 20 + 1000.25 * 20"},
      {50000, 250, 2500, 1000.25f, 70407, "a mission started at tick count 50000 gets 2 from the first term"},
      {100001, 250, 2500, 1000.25f, 70405, "the first term divides by the tick count, 0 beyond 100 seconds"},
      {-50000, 250, 2500, 1000.25f, 70403, "a tick count read as negative gives a negative first term"},
      {0, 250, 2500, 1000.25f, 70405, "a mission started at tick count 0 gives 0 for the first term"},
      {3600000, 1, 2500, 1000.25f, 170005, "one counted shot is worth 100000"},
      {3600000, 100001, 2500, 1000.25f, 70005, "the shot term truncates to 0 beyond 100000 shots"},
      {3600000, 0, 2500, 1000.25f, 70005, "no counted shot gives 0 for the shot term"},
      {3600000, 250, 0, 0.125f, 402, "2.5 + 400 = 402.5 rounds to the even 402"},
      {3600000, 250, 0, 1.875f, 438, "37.5 + 400 = 437.5 rounds to the even 438"},
      // 0.025f is a little above 0.025: times 20 a little above 0.5 in double, exactly 0.5 in float.
      {3600000, 250, 0, 0.025f, 401,
       "the float energy is multiplied in double precision, not rounded to float"},
  };
  for (const Case& c : cases) {
    game.missionStartTime = c.startTime;
    game.shotsFired = c.shots;
    game.hull = c.hull;
    game.energy = c.energy;
    EXPECT_EQ(WinScore(), c.expected) << c.rule;
  }
}

TEST_F(EndOfMission, WonMissionScoresByTheFormulaOnly) {
  FillTable(1000000);
  WorkedExample();
  game.score = 5000;
  EndMission();
  EXPECT_EQ(game.score, 70405) << "the points collected in a won mission are replaced by the formula";
  EXPECT_EQ(game.menuState, MenuPage::kMain) << "a score below the whole table opens no name entry";
  EXPECT_EQ(HighscoreScore(10), 1000000) << "the table is unchanged";
}

TEST_F(EndOfMission, ScoreWithoutAPlaceOpensNoNameEntry) {
  nameEntry.playerName = "earlier";
  game.missionResult = MissionResult::kAborted;
  EndMission();
  EXPECT_EQ(game.score, 0);
  EXPECT_EQ(game.menuState, MenuPage::kMain) << "0 points do not beat an empty table";
  EXPECT_EQ(nameEntry.playerName, "earlier") << "the name of the last entry stays until the next name entry";
}

TEST_F(EndOfMission, AbortedMissionKeepsItsPointsAndEntersTheName) {
  InsertHighscore("first", 500);
  WorkedExample();
  game.missionResult = MissionResult::kAborted;
  game.score = 300;
  SeenHeldThenReleased({Key::Digit1, Key::Return});
  EndMission();
  EXPECT_EQ(game.score, 300) << "an aborted mission keeps the points it collected";
  EXPECT_EQ(game.missionResult, MissionResult::kAborted) << "the outcome stays for the menu's line";
  EXPECT_EQ(game.menuState, MenuPage::kNameEntry) << "the name entry ran";
  EXPECT_EQ(HighscoreName(2), "1") << "the digit released with Return is the name";
  EXPECT_EQ(HighscoreScore(2), 300) << "the points enter at the place HighscorePosition gave";

  InitHighscores(10, tableFile.c_str());
  ASSERT_TRUE(LoadHighscores()) << "the table is saved right after the insertion";
  EXPECT_EQ(HighscoreName(1), "first");
  EXPECT_EQ(HighscoreName(2), "1");
  EXPECT_EQ(HighscoreScore(2), 300);
}

TEST_F(EndOfMission, DestroyedShipKeepsItsPointsAndAClosedWindowKeepsTheName) {
  // The close request stays for the rest of the run, so the screen runs in a child process.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        game.missionResult = MissionResult::kDestroyed;
        game.destructionFrames = 7;
        game.score = 200;
        SeenHeldThenReleased({Key::Digit2});
        InjectCloseRequest();
        EndMission();
        const std::string name = HighscoreName(1);
        InitHighscores(10, tableFile.c_str());
        const bool loaded = LoadHighscores();
        ExitWithChecks({
            {game.score == 200, "a destroyed ship keeps the points it collected"},
            {name == "2", "the name typed before the window closed enters the table"},
            {loaded && HighscoreName(1) == "2" && HighscoreScore(1) == 200, "and is saved"},
        });
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(EndOfMission, ClosedWindowWithoutANameInsertsNothing) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        game.score = 200;
        InjectCloseRequest();
        RunNameEntry();
        std::FILE* file = std::fopen(tableFile.c_str(), "rb");
        ExitWithChecks({
            {HighscoreScore(1) == 0, "an empty name does not enter the table"},
            {file == nullptr, "nothing is saved"},
            {nameEntry.nameDone == 0, "nothing was confirmed"},
        });
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(EndOfMission, ReturnConfirmsOnlyANonEmptyName) {
  StartNameEntry();
  TypeInFrames({Key::Return});
  EXPECT_EQ(nameEntry.nameDone, 0) << "Return on an empty name is dropped";
  TypeInFrames({Key::C});
  EXPECT_EQ(nameEntry.nameDone, 0) << "typing alone does not confirm";
  TypeInFrames({Key::Return});
  EXPECT_EQ(nameEntry.nameDone, 1);
  EXPECT_EQ(nameEntry.playerName, "c");

  StartNameEntry();
  EXPECT_EQ(nameEntry.nameDone, 0) << "the next name entry starts typing again";
  TypeInFrames({Key::Z, Key::Return});
  EXPECT_EQ(nameEntry.playerName, "y")
      << "the name starts empty, and a letter released with Return is added first";
  EXPECT_EQ(nameEntry.nameDone, 1) << "and alone makes the confirmation count";
}

TEST_F(EndOfMission, KeyHeldIntoTheScreenTypesOnceOnRelease) {
  InjectKey(Key::F, true);
  StartNameEntry();
  for (int frame = 0; frame < 3; ++frame) NameEntryFrame();
  EXPECT_EQ(nameEntry.playerName, "") << "a held key types nothing";
  InjectKey(Key::F, false);
  NameEntryFrame();
  NameEntryFrame();
  EXPECT_EQ(nameEntry.playerName, "f") << "the first frame that sees it up types it, once";
}

TEST_F(EndOfMission, ButtonHeldFromTheStartClickDoesNotConfirm) {
  game.clickState = 1;  // as the click on "Starten" left it
  SetMousePos(kFertigX, kFertigY);
  InjectMouseButton(1, true);
  SeenHeldThenReleased({Key::A});
  StartNameEntry();
  NameEntryFrame();
  EXPECT_EQ(nameEntry.playerName, "a");
  EXPECT_EQ(nameEntry.nameDone, 0) << "the button held since the mission's start counts as held, not pressed";
  NameEntryFrame();
  EXPECT_EQ(nameEntry.nameDone, 0) << "holding the button never confirms";
  InjectMouseButton(1, false);
  NameEntryFrame();
  InjectMouseButton(1, true);
  NameEntryFrame();
  EXPECT_EQ(nameEntry.nameDone, 1) << "the next press after a frame with the button up confirms";
  InjectMouseButton(1, false);
}

TEST_F(EndOfMission, ClickConfirmsOnlyOnTheButtonAndWithAName) {
  StartNameEntry();
  SetMousePos(kFertigX, kFertigY);
  InjectMouseButton(1, true);
  NameEntryFrame();
  EXPECT_EQ(nameEntry.nameDone, 0) << "a click with an empty name is dropped";
  InjectMouseButton(1, false);
  TypeInFrames({Key::B});

  SetMousePos(kFertigX - 100, kFertigY);
  InjectMouseButton(1, true);
  NameEntryFrame();
  EXPECT_EQ(nameEntry.nameDone, 0) << "a click beside the button does nothing";
  InjectMouseButton(1, false);
  NameEntryFrame();

  SetMousePos(kFertigX + 99, kFertigY + 24);
  InjectMouseButton(1, true);
  NameEntryFrame();
  EXPECT_EQ(nameEntry.nameDone, 1) << "a click on the button confirms";
  EXPECT_EQ(nameEntry.playerName, "b");
  InjectMouseButton(1, false);
}

}  // namespace
