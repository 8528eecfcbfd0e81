// A long unpaced run of the game's loops on the real layer: missions one after another flown by an
// automatic pilot with random input, short menu stays between them, and the resident memory of
// the process after a warm-up and at the end. Shared by the soak test and the soak benchmark.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <vector>

#include "base/program_folder.h"
#include "base/random.h"
#include "base/tick_count.h"
#include "game/end_mission.h"
#include "game/main_loop.h"
#include "game/resources.h"
#include "highscore/highscore_table.h"
#include "mission/game_state.h"
#include "mission/mission_progress.h"
#include "platform/frame_pacing.h"
#include "platform/input.h"
#include "platform/multimedia.h"
#include "platform/sound.h"
#include "platform/testing/input_injection.h"

namespace soak {

// Resident memory of this process, KiB.
inline long ResidentKiB() {
  long pages = 0;
  long resident = 0;
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

struct Figures {
  bool opened = false;  // the display could be opened
  int missions = 0;
  int won = 0;
  int lost = 0;
  int aborted = 0;
  long frames = 0;       // mission and menu frames
  int screenshots = 0;   // F10 files written (and removed again)
  long warmKiB = 0;      // resident memory after the warm-up
  long endKiB = 0;       // resident memory at the end
  double seconds = 0.0;  // wall time of the whole run
};

// The pilot's random decisions, from its own generator so that the game's stays untouched.
class Pilot {
 public:
  explicit Pilot(std::uint32_t seed) : random_(seed) {}

  bool Chance(int perMillion) { return Below(1000000) < perMillion; }
  int Below(int n) { return static_cast<int>(random_() % static_cast<std::uint32_t>(n)); }

  // Keys pressed for one frame are released before the next one, so that the game sees them
  // go down and up; a key released for this frame cannot go down again before the next one.
  void Press(int key) {
    if (std::find(released_.begin(), released_.end(), key) != released_.end()) return;
    InjectKey(key, true);
    pressed_.push_back(key);
  }
  void ReleasePressed() {
    for (int key : pressed_) InjectKey(key, false);
    released_.swap(pressed_);
    pressed_.clear();
  }

  // Held keys and the button stay down over several frames.
  void Hold(int key, bool down) {
    if (down == IsHeld(key)) return;
    InjectKey(key, down);
    if (down) {
      held_.push_back(key);
    } else {
      held_.erase(std::find(held_.begin(), held_.end(), key));
    }
  }
  bool IsHeld(int key) const { return std::find(held_.begin(), held_.end(), key) != held_.end(); }
  void Trigger(bool down) {
    if (down != trigger_) InjectMouseButton(1, down);
    trigger_ = down;
  }
  // Everything up, as when the player lets go at the end of a mission.
  void LetGo() {
    ReleasePressed();
    while (!held_.empty()) Hold(held_.back(), false);
    Trigger(false);
    switchFrame_ = -1;
  }

  // The input of one mission frame: the mouse towards the nearest alien, the trigger held
  // most of the time, now and then a weapon, a speed key or a sound switch; F10 and Escape when
  // asked for.
  void MissionInput(int frame, bool screenshot, bool escape) {
    ReleasePressed();
    const Alien* target = nullptr;
    for (int i = 0; i < game.aliens.Count(); ++i) {
      const Alien& alien = game.aliens.At(i);
      if (alien.z > 0.0f && (target == nullptr || alien.z < target->z)) target = &alien;
    }
    int dx = Below(41) - 20;
    int dy = Below(41) - 20;
    if (target != nullptr) {
      const float scale = 100.0f / target->z;
      const int x = static_cast<int>((target->x - game.shipX) * scale) + 400 + game.shakeOffsetX;
      const int y = static_cast<int>((target->y - game.shipY) * scale) + 300 + game.shakeOffsetY;
      dx += std::clamp(x - MousePosX(), -60, 60);
      dy += std::clamp(y - MousePosY(), -60, 60);
    }
    InjectMouseMotion(dx, dy);
    if (Chance(50000)) Trigger(Chance(800000));  // held four fifths of the time
    if (Chance(5000)) Press(Key::Digit1 + Below(4));
    if (Chance(4000)) Hold(Key::KeypadPlus, !IsHeld(Key::KeypadPlus));
    if (Chance(4000)) Hold(Key::KeypadMinus, !IsHeld(Key::KeypadMinus));
    if (Chance(2000)) Hold(Key::Space, !IsHeld(Key::Space));
    SoundSwitch(frame);
    if (screenshot) Press(Key::F10);
    if (escape) Press(Key::Escape);
  }

  // LeftControl with M or S, let go one after the other: a mission switches when Control goes up
  // while the letter is held, the menu when the letter goes up while Control is held. Either
  // order comes, in either place.
  void SoundSwitch(int frame) {
    if (switchFrame_ < 0) {
      if (!Chance(600)) return;
      switchFrame_ = frame;
      switchKey_ = Chance(500000) ? Key::M : Key::S;
      firstUp_ = Chance(500000) ? Key::LeftControl : switchKey_;
      Hold(Key::LeftControl, true);
      Hold(switchKey_, true);
    } else if (frame == switchFrame_ + 1) {
      Hold(firstUp_, false);
    } else if (frame >= switchFrame_ + 2) {
      Hold(Key::LeftControl, false);
      Hold(switchKey_, false);
      switchFrame_ = -1;
    }
  }

 private:
  std::mt19937 random_;
  std::vector<int> pressed_;
  std::vector<int> released_;  // the keys let go for the coming frame
  std::vector<int> held_;
  bool trigger_ = false;
  int switchFrame_ = -1;
  int switchKey_ = 0;
  int firstUp_ = 0;
};

// A press of the left button at (x, y) in the next menu frame and its release in the one after.
inline bool ClickMenu(int x, int y) {
  SetMousePos(x, y);
  InjectMouseButton(1, true);
  const bool start = MenuFrame();
  InjectMouseButton(1, false);
  return start || MenuFrame();
}

// The game's process, run unpaced in this process: the layer is opened, every resource loaded
// from the build folder beside the calling program's folder, and the table is kept in memory
// only (it is neither read nor saved). Screenshots go into a folder of their own, removed at the
// end. Runs for `seconds` of wall time.
//
// The resident memory is taken after a warm-up that goes through the largest moments once (the
// fleet exploding at once, the final blast, screenshots): the first three missions end in each of
// the three ways, the first takes a screenshot, and the first two menu stays show the list and the
// briefing page and take a screenshot. It is taken after that, but not before `warmSeconds`.
//
// The allocator keeps the settings the game itself runs with.
class Run {
 public:
  Run(double seconds, double warmSeconds, std::uint32_t seed)
      : seconds_(seconds), warmSeconds_(warmSeconds), pilot_(seed) {}

  Figures Go() {
    ResetGameState();
    SeedRandom(kGameSeed);
    figures_.opened = OpenGameScreen() != 0;
    if (!figures_.opened) {
      ShutdownMultimedia();
      return figures_;
    }
    SetFrameRate(0);
    std::filesystem::current_path(std::filesystem::path(ProgramFolder()) / "..");
    LoadResources();
    LoadBuiltinPages();
    InitHighscores(10, "kvshs.dat");
    char folder[] = "/tmp/soak_screenshots_XXXXXX";
    const bool haveFolder = mkdtemp(folder) != nullptr;
    if (haveFolder) std::filesystem::current_path(folder);

    start_ = Clock::now();
    while (Elapsed() < seconds_) {
      MenuStay();
      Mission();
      if (haveFolder) RemoveScreenshots(folder);
    }
    figures_.endKiB = ResidentKiB();
    figures_.seconds = Elapsed();
    ShutdownMultimedia();
    if (haveFolder) std::filesystem::remove_all(folder);
    return figures_;
  }

 private:
  using Clock = std::chrono::steady_clock;

  double Elapsed() const { return std::chrono::duration<double>(Clock::now() - start_).count(); }

  void CountFrame() {
    ++figures_.frames;
    if (figures_.warmKiB == 0 && figures_.missions >= kWarmMissions && Elapsed() >= warmSeconds_) {
      figures_.warmKiB = ResidentKiB();
    }
  }

  // One in 3000 frames takes a screenshot: each is a file of 1.4 MB.
  bool ScreenshotNow() { return pilot_.Chance(333); }

  // The menu as the game enters it after a mission, a few frames with the pointer wandering, a
  // visit to the list or the briefing page now and then, and "Starten".
  void MenuStay() {
    SetMousePos(400, 300);
    game.menuState = MenuPage::kMain;
    game.leaveLoop = 0;
    const bool warming = figures_.missions < 2;
    const int frames = 5 + pilot_.Below(40);
    for (int frame = 0; frame < frames; ++frame) {
      pilot_.ReleasePressed();
      InjectMouseMotion(pilot_.Below(21) - 10, pilot_.Below(21) - 10);
      pilot_.SoundSwitch(frame);
      if ((warming && frame == 2) || ScreenshotNow()) pilot_.Press(Key::F10);
      MenuFrame();
      CountFrame();
    }
    pilot_.LetGo();
    if (figures_.missions == 0 || (!warming && pilot_.Chance(300000))) {
      VisitPage(400, 385);  // "Bestenliste"
    } else if (figures_.missions == 1 || pilot_.Chance(150000)) {
      VisitPage(400, 305);  // "Mission", the briefing
    }
    for (int tries = 0; tries < 10 && !ClickMenu(400, 225); ++tries) CountFrame();  // "Starten"
    pilot_.LetGo();
  }

  // The page behind the button at (x, y) for ten frames, and back with its "Fertig".
  void VisitPage(int x, int y) {
    ClickMenu(x, y);
    for (int frame = 0; frame < 10; ++frame) {
      MenuFrame();
      CountFrame();
    }
    ClickMenu(600, 555);
  }

  // A mission as the game's loop runs it, ended as the game ends it but with a fixed name in
  // place of the name entry. The pilot is no match for the fleet within a soak's time, so each
  // mission ends one of three ways at a random frame after the 198 frames of the approach:
  // Escape, a hit that takes the hull below zero (the destruction sequence follows), or hits that
  // use up every alien's hit points (the fleet explodes and the ship departs, a won mission).
  // Escape also ends a mission that is still on a thousand frames later, or when the time is up.
  void Mission() {
    enum Ending { kFleetDestroyed, kDestroyed, kEscape };
    const bool warming = figures_.missions < kWarmMissions;
    const auto ending = static_cast<Ending>(warming ? figures_.missions : pilot_.Below(3));
    const int endFrame = 200 + pilot_.Below(warming ? 100 : 1000);
    StartMission();
    SetFrameRate(0);  // the mission sets 40
    int frame = 0;
    do {
      if (frame == endFrame && ending == kDestroyed) game.hull = -1;
      if (frame == endFrame && ending == kFleetDestroyed) {
        for (int i = 0; i < game.aliens.Count(); ++i) game.aliens.At(i).hitPoints = 0;
      }
      const bool escape = frame >= endFrame + (ending == kEscape ? 0 : 1000) || Elapsed() >= seconds_;
      pilot_.MissionInput(frame, (warming && frame == 100) || ScreenshotNow(), escape);
      // Unpaced frames run far faster than 40 a second while the fire interval counts real
      // milliseconds: the interval is waived so that a frame sees the shots of a paced one.
      game.nextShotTime = GetTickCount();
      MissionFrame();
      CountFrame();
      ++frame;
    } while (game.leaveLoop == 0);
    pilot_.LetGo();

    StopWave(-1);
    ++figures_.missions;
    if (game.missionResult == MissionResult::kRunningOrWon) {
      ++figures_.won;
      game.score = WinScore();
    } else if (game.missionResult == MissionResult::kDestroyed) {
      ++figures_.lost;
    } else {
      ++figures_.aborted;
    }
    if (HighscorePosition(game.score) != 0) InsertHighscore("Soak", game.score);
  }

  void RemoveScreenshots(const char* folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      std::filesystem::remove(entry.path());
      ++figures_.screenshots;
    }
  }

  static constexpr int kWarmMissions = 3;
  static constexpr std::uint32_t kGameSeed = 20261207u;
  double seconds_;
  double warmSeconds_;
  Pilot pilot_;
  Figures figures_;
  Clock::time_point start_;
};

inline void Print(const Figures& figures, std::FILE* to) {
  std::fprintf(to,
               "soak: %.0f s, %d missions (%d won, %d lost, %d aborted), %ld frames, %d screenshots\n"
               "soak: resident memory %ld KiB after the warm-up, %ld KiB at the end, growth %ld KiB\n",
               figures.seconds, figures.missions, figures.won, figures.lost, figures.aborted, figures.frames,
               figures.screenshots, figures.warmKiB, figures.endKiB, figures.endKiB - figures.warmKiB);
}

}  // namespace soak
