// Whole missions through the five real procedures on the headless layer: an automatic pilot that
// wins, and a golden replay of recorded input compared with a stored state.
//
// The fire interval is counted in milliseconds of the real clock, while these frames run
// unpaced and far faster than 40 a second. So that the outcome depends on the input alone, the
// loop waives the interval: before each frame nextShotTime is set to the current tick count, and
// the pilot spaces its volleys itself by pressing and releasing the button.
//
// Regenerating the golden files (after a deliberate change of the gameplay):
//   SPACE_UPDATE_GOLDEN=1 <build>/tests/mission_tests --gtest_filter='MissionReplay.Golden*'
// records the pilot's input for the first kGoldenFrames frames into golden/replay_input.txt,
// replays it from a fresh start and writes golden/replay_state.txt. Review the diff of both files
// before keeping them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/random.h"
#include "base/tick_count.h"
#include "mission/game_state.h"
#include "mission/mission_progress.h"
#include "mission_fixture.h"
#include "platform/frame_pacing.h"
#include "platform/input.h"
#include "platform/testing/input_injection.h"

namespace {

constexpr std::uint32_t kReplaySeed = 4242u;
constexpr int kGoldenFrames = 900;
constexpr int kFramesToWin = 6000;

const std::string kGoldenFolder = std::string(SPACE_SOURCE_DIR) + "/tests/mission/golden/";

// One input event, fed to the layer before the frame it belongs to.
struct InputEvent {
  int frame;
  std::string kind;  // "key", "motion" or "button"
  int a;             // key code, dx or button
  int b;             // 1 down / 0 up, or dy
};

void Inject(const InputEvent& event) {
  if (event.kind == "key") {
    InjectKey(event.a, event.b != 0);
  } else if (event.kind == "motion") {
    InjectMouseMotion(event.a, event.b);
  } else if (event.kind == "button") {
    InjectMouseButton(event.a, event.b != 0);
  }
}

// The crosshair after EaseAim moved it one frame towards `mouse`.
int EasedAim(int aim, int mouse) {
  if (aim > mouse) {
    aim -= 10;
  } else if (aim < mouse) {
    aim += 10;
  }
  return std::abs(mouse - aim) < 10 ? mouse : aim;
}

// Whether a shot at (x, y, z) that moves (stepX, stepY, 600) per frame from the next frame on
// meets `alien` inside its box.
bool WillStrike(float x, float y, float z, float stepX, float stepY, const Alien& alien) {
  const float alienStep = alien.drift * alien.speedFactor;
  // The frames in which the shot's depth lies within 700 of the alien's.
  const int first = std::max(1, static_cast<int>(std::ceil((alien.z - 700.0f - z) / 600.0f)));
  for (int t = first; t <= first + 2; ++t) {
    const float frames = static_cast<float>(t);
    if (std::fabs(z + 600.0f * frames - alien.z) >= 700.0f) continue;
    if (std::fabs(x + stepX * frames - (alien.x + alienStep * frames)) <
            static_cast<float>(alien.width / 2) &&
        std::fabs(y + stepY * frames - alien.y) < static_cast<float>(alien.height / 2)) {
      return true;
    }
  }
  return false;
}

// The muzzles of weapons 3 and 4 relative to (shipX, 0), and what a volley costs.
struct Gun {
  int weapon;
  int shots;
  float muzzles[4][2];
  float cost;
  int cadence;  // frames between volleys, so that one volley has left the alien before the next
};
constexpr Gun kGuns[2] = {
    {3, 2, {{2000, 0}, {-2000, 0}}, 2.0f, 2},
    {4, 4, {{2000, 1000}, {-2000, 1000}, {2000, -1000}, {-2000, -1000}}, 4.0f, 3},
};

// The pilot's choice for this frame.
struct Plan {
  const Gun* gun = nullptr;
  int x = 0;  // crosshair
  int y = 0;
};

// Plays weapons 3 and 4 against the nearest alien that the shots in flight will not finish off
// anyway: for each it looks for the crosshair position and weapon whose volley, fired now,
// strikes that alien with the most damage per energy, selects the weapon, puts the mouse there
// and fires once the crosshair has arrived.
class Autopilot {
 public:
  std::vector<InputEvent> Decide(int frame) {
    std::vector<InputEvent> events;
    if (keyHeld_ != 0) {
      events.push_back({frame, "key", keyHeld_, 0});
      keyHeld_ = 0;  // the weapon changes in this frame's ReadMissionInput, before it fires
      switchedTo_ = selected_;
    }

    const Plan plan = game.approachPhase == 0 ? ChoosePlan() : Plan{};
    const int nowX = MousePosX();
    const int nowY = MousePosY();
    if (plan.gun != nullptr && (plan.x != nowX || plan.y != nowY)) {
      events.push_back({frame, "motion", plan.x - nowX, plan.y - nowY});
    }
    const int weaponNow = switchedTo_ != 0 ? switchedTo_ : game.weapon;
    if (plan.gun != nullptr && plan.gun->weapon != weaponNow && keyHeld_ == 0) {
      selected_ = plan.gun->weapon;
      keyHeld_ = Key::Digit1 + selected_ - 1;
      events.push_back({frame, "key", keyHeld_, 1});
    }
    switchedTo_ = 0;

    // With no alien in reach, fly so that the nearest one comes closer: stand still for one
    // behind the ship (it drifts back towards -x), speed up for one ahead.
    int speedKey = 0;
    if (game.approachPhase == 0 && plan.gun == nullptr && game.aliens.Count() > 0) {
      speedKey = NearestAlienOffset() > 0.0f ? Key::KeypadMinus : Key::KeypadPlus;
    }
    if (speedKey != speedKey_) {
      if (speedKey_ != 0) events.push_back({frame, "key", speedKey_, 0});
      if (speedKey != 0) events.push_back({frame, "key", speedKey, 1});
      speedKey_ = speedKey;
    }

    // ReadMissionInput fires with the crosshair as EaseAim leaves it at the start of the frame.
    const bool fire = plan.gun != nullptr && plan.gun->weapon == weaponNow &&
                      EasedAim(game.aimX, game.mouseX) == plan.x &&
                      EasedAim(game.aimY, game.mouseY) == plan.y &&
                      frame - lastVolley_ >= plan.gun->cadence && game.energy >= plan.gun->cost;
    if (fire) lastVolley_ = frame;
    if (fire != buttonHeld_) {
      events.push_back({frame, "button", 1, fire ? 1 : 0});
      buttonHeld_ = fire;
    }
    return events;
  }

 private:
  // Damage that the player's shots in flight will still do to alien i (at most 12 a shot).
  static int PendingDamage(int i) {
    int damage = 0;
    for (int s = 0; s < game.shots.Count(); ++s) {
      const Shot& shot = game.shots.At(s);
      if (shot.direction < 0) continue;
      const float stepX = std::sin(shot.headingX / kHeadingUnitsPerRadian) * 4000.0f;
      const float stepY = std::sin(shot.headingY / kHeadingUnitsPerRadian) * 3600.0f;
      if (WillStrike(shot.x, shot.y, shot.z, stepX, stepY, game.aliens.At(i))) damage += 12;
    }
    return damage;
  }

  // How many shots of a volley of `gun` fired now with the crosshair at (x, y) strike `alien`.
  static int Strikes(const Gun& gun, int x, int y, const Alien& alien) {
    const float stepX = std::sin(static_cast<float>((x - 400) / 10) / kHeadingUnitsPerRadian) * 4000.0f;
    const float stepY = std::sin(static_cast<float>((y - 300) / 10) / kHeadingUnitsPerRadian) * 3600.0f;
    int strikes = 0;
    for (int m = 0; m < gun.shots; ++m) {
      strikes +=
          WillStrike(game.shipX + gun.muzzles[m][0], gun.muzzles[m][1], 1.0f, stepX, stepY, alien) ? 1 : 0;
    }
    return strikes;
  }

  // The best volley against `alien`: the most damage per energy, among the whole-unit headings
  // around the one that meets it.
  static Plan BestVolley(const Alien& alien) {
    Plan best;
    float bestValue = 0.0f;
    const float frames = std::max(1.0f, std::round((alien.z - 1.0f) / 600.0f));
    const float stepX = (alien.x + alien.drift * alien.speedFactor * frames - game.shipX) / frames;
    const float stepY = alien.y / frames;
    if (std::fabs(stepX) >= 4000.0f || std::fabs(stepY) >= 3600.0f) return best;
    const int headingX = static_cast<int>(std::lround(kHeadingUnitsPerRadian * std::asin(stepX / 4000.0f)));
    const int headingY = static_cast<int>(std::lround(kHeadingUnitsPerRadian * std::asin(stepY / 3600.0f)));
    for (const Gun& gun : kGuns) {
      for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
          const int x = 400 + 10 * (headingX + dx);
          const int y = 300 + 10 * (headingY + dy);
          if (x < 0 || x > 799 || y < 0 || y > 599) continue;
          const float value = static_cast<float>(Strikes(gun, x, y, alien) * 3 * gun.weapon) / gun.cost;
          if (value > bestValue) {
            bestValue = value;
            best = {&gun, x, y};
          }
        }
      }
    }
    return best;
  }

  // The best volley against the nearest alien still worth a shot.
  static Plan ChoosePlan() {
    Plan plan;
    float nearest = 1e9f;
    for (int i = 0; i < game.aliens.Count(); ++i) {
      const Alien& alien = game.aliens.At(i);
      if (alien.z >= nearest || alien.hitPoints <= PendingDamage(i)) continue;
      const Plan volley = BestVolley(alien);
      if (volley.gun == nullptr) continue;
      nearest = alien.z;
      plan = volley;
    }
    return plan;
  }

  // Screen offset from the middle of the alien nearest to it horizontally.
  static float NearestAlienOffset() {
    float nearest = 1e9f;
    for (int i = 0; i < game.aliens.Count(); ++i) {
      const Alien& alien = game.aliens.At(i);
      const float offset = (alien.x - game.shipX) * 100.0f / alien.z;
      if (std::fabs(offset) < std::fabs(nearest)) nearest = offset;
    }
    return nearest;
  }

  int lastVolley_ = -100;
  bool buttonHeld_ = false;
  int speedKey_ = 0;    // KeypadPlus or KeypadMinus while held
  int keyHeld_ = 0;     // weapon key pressed in the last frame, released in this one
  int selected_ = 0;    // the weapon that key selects
  int switchedTo_ = 0;  // weapon selected in this frame, before ReadMissionInput has seen it
};

// Starts the seeded mission unpaced.
void StartReplayMission() {
  SeedRandom(kReplaySeed);
  StartMission();
  SetFrameRate(0);
}

void RunFrameWithoutInterval() {
  game.nextShotTime = GetTickCount();
  RunMissionFrame();
}

std::string Number(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
  return text;
}

// Every value of the mission state that the frames change, one record a line.
std::string DumpState() {
  std::ostringstream out;
  out << "missionResult " << static_cast<int>(game.missionResult) << "\ndestructionFrames "
      << game.destructionFrames << "\nleaveLoop " << game.leaveLoop << "\nscore " << game.score
      << "\nshotsFired " << game.shotsFired << "\nhull " << game.hull << "\nenergy " << Number(game.energy)
      << "\nspeed " << game.speed << "\nshipX " << Number(game.shipX) << "\nshipY " << Number(game.shipY)
      << "\napproachPhase " << game.approachPhase << "\nweapon " << game.weapon << "\ngunSide "
      << game.gunSide << "\nmusicVolume " << Number(game.musicVolume) << "\nmouse " << game.mouseX << ' '
      << game.mouseY << "\naim " << game.aimX << ' ' << game.aimY << "\nshake " << game.shakeFrames << ' '
      << game.shakeStrength << ' ' << game.shakeOffsetX << ' ' << game.shakeOffsetY << '\n';
  out << "aliens " << game.aliens.Count() << '\n';
  for (int i = 0; i < game.aliens.Count(); ++i) {
    const Alien& a = game.aliens.At(i);
    out << "alien " << Number(a.x) << ' ' << Number(a.y) << ' ' << Number(a.z) << ' ' << a.quad << ' '
        << Number(a.drift) << ' ' << a.hitPoints << ' ' << a.armed << '\n';
  }
  out << "shots " << game.shots.Count() << '\n';
  for (int i = 0; i < game.shots.Count(); ++i) {
    const Shot& s = game.shots.At(i);
    out << "shot " << Number(s.x) << ' ' << Number(s.y) << ' ' << Number(s.z) << ' ' << s.direction << ' '
        << s.quad << ' ' << s.spin << ' ' << Number(s.headingX) << ' ' << Number(s.headingY) << '\n';
  }
  out << "sparks " << game.sparks.Count() << '\n';
  for (int i = 0; i < game.sparks.Count(); ++i) {
    const Spark& s = game.sparks.At(i);
    out << "spark " << Number(s.x) << ' ' << Number(s.y) << ' ' << Number(s.z) << ' ' << Number(s.velocity)
        << ' ' << Number(s.size) << ' ' << Number(s.life) << ' ' << Number(s.heading) << ' '
        << Number(s.climb) << '\n';
  }
  for (int i = 0; i <= game.lastDebrisIndex; ++i) {
    const Debris& d = game.debris[i];
    out << "debris " << d.x << ' ' << d.y << ' ' << d.z << ' ' << d.angle << '\n';
  }
  return out.str();
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<InputEvent> ReadRecording(const std::string& path) {
  std::vector<InputEvent> events;
  std::istringstream lines(ReadFile(path));
  std::string line;
  while (std::getline(lines, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    InputEvent event{};
    fields >> event.frame >> event.kind >> event.a >> event.b;
    if (fields) events.push_back(event);
  }
  return events;
}

void WriteRecording(const std::string& path, const std::vector<InputEvent>& events) {
  std::ofstream out(path);
  out << "# Input of the golden replay, recorded from the automatic pilot: frame, kind, values.\n"
         "# key <code> <1 down | 0 up>; motion <dx> <dy>; button <button> <1 down | 0 up>\n";
  for (const InputEvent& e : events) out << e.frame << ' ' << e.kind << ' ' << e.a << ' ' << e.b << '\n';
}

// Frames of the seeded mission with the recorded input; returns the state dump afterwards.
std::string Replay(const std::vector<InputEvent>& events, int frames) {
  StartReplayMission();
  std::size_t next = 0;
  for (int frame = 0; frame < frames && game.leaveLoop == 0; ++frame) {
    for (; next < events.size() && events[next].frame == frame; ++next) Inject(events[next]);
    RunFrameWithoutInterval();
  }
  return DumpState();
}

using MissionReplay = MissionMediaTest;

TEST_F(MissionReplay, AutopilotWinsTheMission) {
  StartReplayMission();
  int fleetPoints = 0;
  for (int i = 0; i < game.aliens.Count(); ++i) fleetPoints += (game.aliens.At(i).quad - 39) * 100;
  Autopilot pilot;
  int frame = 0;
  int clearedFrame = -1;  // the frame whose alien pass removed the last alien
  int clearedSpeed = 0;   // the speed at the end of that frame
  for (; frame < kFramesToWin && game.leaveLoop == 0; ++frame) {
    for (const InputEvent& event : pilot.Decide(frame)) Inject(event);
    RunFrameWithoutInterval();
    if (game.aliens.Count() == 0 && clearedFrame < 0) {
      clearedFrame = frame;
      clearedSpeed = game.speed;
    }
  }
  ASSERT_EQ(game.leaveLoop, 1) << "the mission ends within " << kFramesToWin << " frames";
  EXPECT_EQ(game.missionResult, MissionResult::kRunningOrWon) << "won: the ship departed; hull " << game.hull;
  EXPECT_EQ(game.aliens.Count(), 0);
  EXPECT_GE(game.hull, 0);
  EXPECT_EQ(game.score, fleetPoints) << "100 points per type for every alien of the fleet";
  EXPECT_LE(game.speed, -8000) << "the departure ends at -8000 or beyond";
  EXPECT_GT(game.speed, -8100) << "at its first step there";
  EXPECT_EQ(game.speed, clearedSpeed - 100 * (frame - 1 - clearedFrame))
      << "the departure accelerates by 100 in every frame after the last alien";
  EXPECT_GT(game.shotsFired, 0);
}

TEST_F(MissionReplay, GoldenReplayReachesTheRecordedState) {
  const std::string inputPath = kGoldenFolder + "replay_input.txt";
  const std::string statePath = kGoldenFolder + "replay_state.txt";
  const char* update = std::getenv("SPACE_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    StartReplayMission();
    Autopilot pilot;
    std::vector<InputEvent> recording;
    for (int frame = 0; frame < kGoldenFrames && game.leaveLoop == 0; ++frame) {
      for (const InputEvent& event : pilot.Decide(frame)) {
        Inject(event);
        recording.push_back(event);
      }
      RunFrameWithoutInterval();
    }
    const std::string recorded = DumpState();
    WriteRecording(inputPath, recording);
    ResetGameState();
    ResetInput();
    const std::string replayed = Replay(ReadRecording(inputPath), kGoldenFrames);
    ASSERT_EQ(replayed, recorded) << "the replay of the recording repeats the recorded run";
    std::ofstream(statePath) << replayed;
  }
  const std::vector<InputEvent> events = ReadRecording(inputPath);
  ASSERT_FALSE(events.empty()) << "missing recording " << inputPath;
  const std::string expected = ReadFile(statePath);
  ASSERT_FALSE(expected.empty()) << "missing expected state " << statePath;
  ResetGameState();
  ResetInput();
  EXPECT_EQ(Replay(events, kGoldenFrames), expected) << "the state after " << kGoldenFrames << " frames";
}

}  // namespace
