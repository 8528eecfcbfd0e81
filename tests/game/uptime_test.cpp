// A machine up for weeks: the tick count reads negative from 24.8 days of uptime on. The trigger,
// the pause and the score go on as they do ten minutes after the machine's start.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <thread>

#include "base/random.h"
#include "base/tick_count.h"
#include "game/end_mission.h"
#include "game/main_loop.h"
#include "game/pause_screen.h"
#include "game_fixture.h"
#include "mission/game_state.h"
#include "mission/mission_progress.h"
#include "mission/shots.h"
#include "platform/frame_pacing.h"
#include "platform/input.h"
#include "platform/testing/input_injection.h"

namespace {

constexpr std::int64_t kDayMs = 24 * 60 * 60 * 1000;

struct Uptime {
  const char* name;
  std::int32_t ticks;  // the tick count as the test's mission starts
};

// The count as the counter reads it after `milliseconds` of uptime.
constexpr std::int32_t TicksAfter(std::int64_t milliseconds) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(milliseconds));
}

class LongUptime : public GameScreen, public ::testing::WithParamInterface<Uptime> {
 protected:
  void SetUp() override {
    GameScreen::SetUp();
    SetTickCountOffsetForTests(0);
    SetTickCountOffsetForTests(TicksBetween(GetTickCount(), GetParam().ticks));
    SeedRandom(5u);
    StartMission();  // nextShotTime keeps its value from the program's start, 0
    SetFrameRate(0);
    game.approachPhase = 0;
    game.speed = -80;
    game.weapon = 4;  // a volley every 400 ms
  }

  void TearDown() override {
    SetTickCountOffsetForTests(0);
    GameScreen::TearDown();
  }

  // Mission frames for `milliseconds`, with the trigger held if `fire`; the volleys fired.
  static int VolleysWithin(int milliseconds, bool fire = true) {
    InjectMouseButton(kLeftButton, fire);
    const int shots = game.shotsFired;
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(milliseconds)) {
      MissionFrame();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    InjectMouseButton(kLeftButton, false);
    return (game.shotsFired - shots) / 4;
  }
};

TEST_P(LongUptime, AHeldTriggerFiresAtTheWeaponsInterval) {
  EXPECT_EQ(VolleysWithin(600), 2) << "a volley at once and one 400 ms later";
}

TEST_P(LongUptime, APauseKeepsWhatWasLeftOfTheInterval) {
  ASSERT_EQ(VolleysWithin(20), 1) << "setup: a volley";
  const int left = UntilNextVolley();
  StartPause();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  InjectKey(Key::P, true);
  ASSERT_FALSE(PauseFrame());
  InjectKey(Key::P, false);
  ASSERT_TRUE(PauseFrame()) << "setup: P goes on";
  EndPause();
  EXPECT_LE(UntilNextVolley(), left);
  EXPECT_GT(UntilNextVolley(), left - 50) << "the interval waited while the pause lasted";
  VolleysWithin(20, false);  // the trigger let go after the pause
  EXPECT_EQ(VolleysWithin(250), 0) << "the interval left runs after the pause";
  EXPECT_EQ(VolleysWithin(300), 1) << "and ends";
}

TEST_P(LongUptime, AWonMissionScoresAsAnyStartedLaterThanAHundredSeconds) {
  EXPECT_LT(std::abs(TicksBetween(GetParam().ticks, game.missionStartTime)), 1000)
      << "the mission's start is the tick count as it reads";
  VolleysWithin(20);
  const int score = WinScore();
  game.missionStartTime = TicksAfter(10 * 60 * 1000);
  EXPECT_EQ(score, WinScore()) << "the first term is 0 for every start later than 100 seconds";
}

// The count turns negative 200 ms after the start: inside the first volley's interval and, in the
// pause's test, inside the pause.
INSTANTIATE_TEST_SUITE_P(Uptimes, LongUptime,
                         ::testing::Values(Uptime{"TenMinutes", TicksAfter(10 * 60 * 1000)},
                                           Uptime{"ThirtyDays", TicksAfter(30 * kDayMs)},
                                           Uptime{"BeforeTheCountTurnsNegative", INT32_MAX - 200}),
                         [](const ::testing::TestParamInfo<Uptime>& info) { return info.param.name; });

}  // namespace
