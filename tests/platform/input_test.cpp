// Tests of keyboard and mouse snapshots, fed with real SDL events through the layer's event loop.
#include "platform/input.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/display.h"
#include "platform/multimedia.h"
#include "platform/testing/input_injection.h"

namespace {

// A key pressed or let go at the position SDL names so.
void PushKey(const char* position, bool down, bool repeat = false) {
  const int at = KeyPositionNamed(position);
  ASSERT_GE(at, 0) << "setup: SDL knows the key " << position;
  InjectKeyAt(at, down, repeat);
}

// How many key codes 0 to 255 the last snapshot shows held.
int HeldKeyCount() {
  int held = 0;
  for (int k = 0; k < 256; ++k) held += IsKeyDown(k) != 0;
  return held;
}

class Input : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    ShutdownMultimedia();
    ASSERT_NE(InitDisplay(), 0);
    ASSERT_NE(OpenDisplay(800, 600, 32, "Space"), 0);
    ASSERT_EQ(InitKeyboard(), 1);
    ASSERT_EQ(InitMouse(), 1);
    PollKeyboard();  // drains whatever the window's creation queued
  }
  void TearDown() override { ShutdownMultimedia(); }
};

TEST_F(Input, HeldKeyIsReportedReleasedOnceInTheFirstFrameAfter) {
  PushKey("A", true);
  for (int frame = 0; frame < 3; ++frame) {
    ASSERT_EQ(PollKeyboard(), 1);
    EXPECT_TRUE(IsKeyDown(Key::A)) << "a held key reads held in every frame, frame " << frame;
    EXPECT_FALSE(WasKeyReleased(Key::A)) << "no release while held, frame " << frame;
  }
  PushKey("A", false);
  ASSERT_EQ(PollKeyboard(), 1);
  EXPECT_FALSE(IsKeyDown(Key::A));
  EXPECT_TRUE(WasKeyReleased(Key::A)) << "the release shows in the first frame after it";
  EXPECT_FALSE(WasKeyReleased(Key::A)) << "a second call in the same frame reports nothing";
  ASSERT_EQ(PollKeyboard(), 1);
  EXPECT_FALSE(WasKeyReleased(Key::A)) << "a release is reported once";
}

TEST_F(Input, ReleaseIsOnlyReportedForAKeyAskedAboutWhileHeld) {
  PushKey("B", true);
  PollKeyboard();
  EXPECT_TRUE(IsKeyDown(Key::B));
  PushKey("B", false);
  PollKeyboard();
  EXPECT_FALSE(WasKeyReleased(Key::B)) << "IsKeyDown does not arm the release; only WasKeyReleased does";
}

TEST_F(Input, AnyKeyQueriesCoverEveryKey) {
  PollKeyboard();
  EXPECT_FALSE(IsKeyDown(Key::Any)) << "no key held";
  EXPECT_FALSE(WasKeyReleased(Key::Any));
  PushKey("Right Ctrl", true);  // an extended key, code 0x9D
  PushKey("Q", true);
  PollKeyboard();
  EXPECT_TRUE(IsKeyDown(Key::Any)) << "any key held";
  EXPECT_FALSE(WasKeyReleased(Key::Any));
  PushKey("Right Ctrl", false);
  PollKeyboard();
  EXPECT_TRUE(IsKeyDown(Key::Any)) << "Q is still held";
  EXPECT_TRUE(WasKeyReleased(Key::Any)) << "the any-key query saw right Ctrl held, so its release counts";
  EXPECT_FALSE(WasKeyReleased(Key::RightControl)) << "the any-key query used up that release";
  PushKey("Q", false);
  PollKeyboard();
  EXPECT_TRUE(WasKeyReleased(Key::Q)) << "the any-key query armed Q's release too";
  EXPECT_FALSE(IsKeyDown(Key::Any));
}

TEST_F(Input, KeyRepeatsAndOutOfRangeKeysChangeNothing) {
  PushKey("Space", true);
  PollKeyboard();
  PushKey("Space", false);
  PushKey("Space", true, true);
  PollKeyboard();
  EXPECT_FALSE(IsKeyDown(Key::Space)) << "a repeat of a released key does not press it again";
  EXPECT_FALSE(IsKeyDown(256));
  EXPECT_FALSE(IsKeyDown(-2));
  EXPECT_FALSE(WasKeyReleased(1000));
  ReleaseKeyboard();
  EXPECT_EQ(PollKeyboard(), 0) << "a released keyboard is not read";
}

TEST_F(Input, TapBetweenTwoPollsIsHeldInTheFirstAndReleasedInTheNext) {
  InjectKey(Key::Escape, true);
  InjectKey(Key::Escape, false);
  InjectMouseButton(1, true);
  InjectMouseButton(1, false);
  ASSERT_EQ(PollKeyboard(), 1);
  ASSERT_EQ(PollMouse(), 1);
  EXPECT_TRUE(IsKeyDown(Key::Escape)) << "a key that went down since the last poll is held in this one";
  EXPECT_TRUE(IsKeyDown(Key::Any)) << "the tapped key counts as any key held";
  EXPECT_FALSE(WasKeyReleased(Key::Escape)) << "no release while the snapshot shows it held";
  EXPECT_TRUE(IsMouseButtonDown(1)) << "a click between two polls is held in the first of them";
  PollKeyboard();
  PollMouse();
  EXPECT_FALSE(IsKeyDown(Key::Escape)) << "the next poll shows the tapped key up";
  EXPECT_TRUE(WasKeyReleased(Key::Escape)) << "the tap's release is reported by the next poll";
  EXPECT_FALSE(IsMouseButtonDown(1)) << "the next poll shows the clicked button up";
  PollKeyboard();
  PollMouse();
  EXPECT_FALSE(WasKeyReleased(Key::Escape)) << "a tap is reported once";
  EXPECT_FALSE(IsMouseButtonDown(1));

  // A press over several polls is held exactly while it lasts: the tap rule adds nothing to it.
  InjectKey(Key::KeypadPlus, true);
  InjectMouseButton(1, true);
  for (int frame = 0; frame < 2; ++frame) {
    PollKeyboard();
    PollMouse();
    EXPECT_TRUE(IsKeyDown(Key::KeypadPlus)) << "a held key, frame " << frame;
    EXPECT_TRUE(IsMouseButtonDown(1)) << "a held button, frame " << frame;
  }
  InjectKey(Key::KeypadPlus, false);
  InjectMouseButton(1, false);
  PollKeyboard();
  PollMouse();
  EXPECT_FALSE(IsKeyDown(Key::KeypadPlus)) << "a key let go after a poll is up at the next one";
  EXPECT_FALSE(IsMouseButtonDown(1)) << "a button let go after a poll is up at the next one";
}

TEST_F(Input, ATapReachesOnlyTheSnapshotOfItsOwnDevice) {
  InjectKey(Key::F10, true);
  InjectKey(Key::F10, false);
  InjectMouseButton(2, true);
  InjectMouseButton(2, false);
  PollMouse();  // drains the key events too, into the keyboard's live state
  EXPECT_TRUE(IsMouseButtonDown(2));
  EXPECT_FALSE(IsMouseButtonDown(1)) << "a right click is no left click";
  EXPECT_FALSE(IsKeyDown(Key::F10)) << "the keyboard snapshot changes only with PollKeyboard";
  PollKeyboard();
  EXPECT_TRUE(IsKeyDown(Key::F10)) << "a tap drained by the mouse's poll still reaches the keyboard's";
  PollKeyboard();
  EXPECT_FALSE(IsKeyDown(Key::Any));
}

TEST_F(Input, KeyPositionsMapToTheSetOneCodesBothWays) {
  // Set-1 codes of a PC keyboard by key position: the letter rows, the digit row, F1 to F12 and
  // the keys the game asks for by name.
  std::vector<std::pair<std::string, int>> keys;
  const auto row = [&](const char* names, int firstCode) {
    for (int i = 0; names[i] != 0; ++i) keys.emplace_back(std::string(1, names[i]), firstCode + i);
  };
  row("1234567890", 0x02);
  row("QWERTYUIOP", 0x10);
  row("ASDFGHJKL", 0x1E);
  row("ZXCVBNM", 0x2C);
  for (int f = 0; f < 10; ++f) {
    // Appended, not "F" + number: GCC 12 warns falsely (-Wrestrict) about that at -O2.
    std::string name = std::to_string(f + 1);
    name.insert(0, 1, 'F');
    keys.emplace_back(name, 0x3B + f);
  }
  keys.insert(keys.end(),
              {
                  {"Escape", 0x01},      {"-", 0x0C},        {"Backspace", 0x0E}, {"Return", 0x1C},
                  {"Left Ctrl", 0x1D},   {";", 0x27},        {"'", 0x28},         {"`", 0x29},
                  {"Left Shift", 0x2A},  {"\\", 0x2B},       {",", 0x33},         {".", 0x34},
                  {"Right Shift", 0x36}, {"Keypad *", 0x37}, {"Space", 0x39},     {"Keypad -", 0x4A},
                  {"Keypad +", 0x4E},    {"F11", 0x57},      {"F12", 0x58},       {"Keypad Enter", 0x9C},
                  {"Right Ctrl", 0x9D},  {"Up", 0xC8},       {"Left", 0xCB},      {"Right", 0xCD},
                  {"Down", 0xD0},        {"Delete", 0xD3},
              });
  for (const auto& [name, code] : keys) {
    const int position = KeyPositionNamed(name.c_str());
    ASSERT_GE(position, 0) << "setup: SDL knows the key " << name;
    InjectKeyAt(position, true);
    PollKeyboard();
    EXPECT_TRUE(IsKeyDown(code)) << "the key " << name << " is key code " << code;
    EXPECT_EQ(HeldKeyCount(), 1) << "the key " << name << " holds exactly one key code";
    InjectKeyAt(position, false);
    PollKeyboard();
    PollKeyboard();
    // The tests' keys go the other way: a key code becomes the key at its position.
    EXPECT_EQ(KeyPositionOfCode(code), position) << "key code " << code << " is injected as " << name;
  }
  PushKey("F15", true);
  PollKeyboard();
  EXPECT_FALSE(IsKeyDown(Key::Any)) << "a key without a code is ignored";
}

TEST_F(Input, EveryKeyOfAFullSizeKeyboardHasACodeOfItsOwn) {
  std::map<int, std::vector<std::string>> positions;  // key code: the key positions that give it
  for (int position = 0; position < KeyPositionCount(); ++position) {
    InjectKeyAt(position, true);
    PollKeyboard();
    for (int code = 0; code < 256; ++code) {
      if (IsKeyDown(code)) positions[code].push_back(KeyPositionName(position));
    }
    InjectKeyAt(position, false);
    PollKeyboard();
    PollKeyboard();
  }
  EXPECT_EQ(positions.size(), 105u) << "every key of a full-size keyboard has a code";
  for (const auto& [code, names] : positions) {
    if (code == Key::Backslash) {
      // The ISO key left of Return sits where the US keyboard has its backslash.
      EXPECT_EQ(names, (std::vector<std::string>{"\\", "#"}));
    } else {
      EXPECT_EQ(names.size(), 1u) << "key code " << code << " belongs to one key position only";
    }
  }
}

TEST_F(Input, MotionOfAPollIsSummedThenClamped) {
  SetMousePos(10, 20);
  InjectMouseMotion(-20, 5);
  InjectMouseMotion(15, 5);
  ASSERT_EQ(PollMouse(), 1);
  EXPECT_EQ(MousePosX(), 5) << "10 - 20 + 15: summed first, clamped once";
  EXPECT_EQ(MousePosY(), 30);

  InjectMouseMotion(-1000, -1000);
  PollMouse();
  EXPECT_EQ(MousePosX(), 0) << "kept on the screen's left edge";
  EXPECT_EQ(MousePosY(), 0);

  InjectMouseMotion(600, 400);
  InjectMouseMotion(600, 400);
  PollMouse();
  EXPECT_EQ(MousePosX(), 799) << "kept inside an 800 pixel wide screen";
  EXPECT_EQ(MousePosY(), 599);

  ASSERT_EQ(PollMouse(), 1);
  EXPECT_EQ(MousePosX(), 799) << "a poll without events moves nothing";
}

TEST_F(Input, SetMousePosIsClampedOnlyByTheNextPoll) {
  SetMousePos(400, 300);
  EXPECT_EQ(PollMouse(), 1);
  EXPECT_EQ(MousePosX(), 400);
  EXPECT_EQ(MousePosY(), 300);
  SetMousePos(5000, -3);
  EXPECT_EQ(MousePosX(), 5000) << "SetMousePos does not clamp";
  PollMouse();
  EXPECT_EQ(MousePosX(), 799);
  EXPECT_EQ(MousePosY(), 0);
}

TEST_F(Input, ClampingFollowsTheOpenedScreenSize) {
  ASSERT_NE(OpenDisplay(640, 480, 32, "Space"), 0);
  InjectMouseMotion(2000, 2000);
  PollMouse();
  EXPECT_EQ(MousePosX(), 639);
  EXPECT_EQ(MousePosY(), 479);
}

TEST_F(Input, ButtonsTakeTheirLastStateOfThePoll) {
  InjectMouseButton(1, true);
  InjectMouseButton(2, true);
  InjectMouseButton(3, true);
  EXPECT_FALSE(IsMouseButtonDown(1)) << "buttons change only with a poll";
  PollMouse();
  EXPECT_TRUE(IsMouseButtonDown(1)) << "left is button 1";
  EXPECT_TRUE(IsMouseButtonDown(2)) << "right is button 2";
  EXPECT_TRUE(IsMouseButtonDown(3)) << "middle is button 3";
  EXPECT_FALSE(IsMouseButtonDown(0));
  EXPECT_FALSE(IsMouseButtonDown(4));
  InjectMouseButton(2, false);
  InjectMouseButton(3, false);
  InjectMouseButton(1, false);
  PollMouse();
  EXPECT_FALSE(IsMouseButtonDown(1)) << "released before the poll";
  EXPECT_FALSE(IsMouseButtonDown(2));
  EXPECT_FALSE(IsMouseButtonDown(3));
}

TEST_F(Input, InactiveWindowLeavesTheMouseAlone) {
  SetMousePos(100, 100);
  InjectMouseMotion(20, 0);  // before the focus went, still pending at the next poll
  InjectFocus(false);
  InjectMouseMotion(50, 50);
  InjectMouseButton(1, true);
  EXPECT_EQ(PollMouse(), 0) << "no mouse read while the window is inactive";
  EXPECT_EQ(MousePosX(), 100);
  EXPECT_FALSE(IsMouseButtonDown(1));
  InjectMouseMotion(30, 30);
  InjectFocus(true);
  EXPECT_EQ(PollMouse(), 1);
  EXPECT_EQ(MousePosX(), 100) << "no motion of the time without the focus moves the pointer when it is back";
  EXPECT_EQ(MousePosY(), 100);
  EXPECT_TRUE(IsMouseButtonDown(1)) << "a button pressed meanwhile counts once the window is back";

  InjectFocus(false);
  InjectMouseMotion(40, 0);
  InjectFocus(true);
  InjectMouseMotion(5, 0);
  EXPECT_EQ(PollMouse(), 1);
  EXPECT_EQ(MousePosX(), 105) << "the focus lost and back between two polls: only the motion since counts";
}

TEST_F(Input, UninitialisedMouseIsNotRead) {
  ReleaseMouse();
  InjectMouseMotion(30, 30);
  EXPECT_EQ(PollMouse(), 0);
  EXPECT_EQ(MousePosX(), 0) << "the mouse starts at (0, 0) and stays there without a device";
}

}  // namespace
