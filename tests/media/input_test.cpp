// Tests of keyboard and mouse snapshots, fed with real SDL events through the layer's event loop.
#include "media/input.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <utility>
#include <vector>

#include "media/display.h"
#include "media/input_injection.h"
#include "media/presenter.h"
#include "media/render_context.h"

namespace {

void PushKey(SDL_Scancode scancode, bool down, bool repeat = false) {
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.repeat = repeat ? 1 : 0;
  event.key.keysym.scancode = scancode;
  SDL_PushEvent(&event);
}

void PushFocus(Uint8 windowEvent) {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.event = windowEvent;
  event.window.windowID = SDL_GetWindowID(PresenterWindow());
  SDL_PushEvent(&event);
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
  PushKey(SDL_SCANCODE_A, true);
  for (int frame = 0; frame < 3; ++frame) {
    ASSERT_EQ(PollKeyboard(), 1);
    EXPECT_EQ(IsKeyDown(Key::A), 128) << "a held key reads 128 in every frame, frame " << frame;
    EXPECT_EQ(WasKeyReleased(Key::A), 0) << "no release while held, frame " << frame;
  }
  PushKey(SDL_SCANCODE_A, false);
  ASSERT_EQ(PollKeyboard(), 1);
  EXPECT_EQ(IsKeyDown(Key::A), 0);
  EXPECT_EQ(WasKeyReleased(Key::A), 1) << "the release shows in the first frame after it";
  EXPECT_EQ(WasKeyReleased(Key::A), 0) << "a second call in the same frame reports nothing";
  ASSERT_EQ(PollKeyboard(), 1);
  EXPECT_EQ(WasKeyReleased(Key::A), 0) << "a release is reported once";
}

TEST_F(Input, ReleaseIsOnlyReportedForAKeyAskedAboutWhileHeld) {
  PushKey(SDL_SCANCODE_B, true);
  PollKeyboard();
  EXPECT_EQ(IsKeyDown(Key::B), 128);
  PushKey(SDL_SCANCODE_B, false);
  PollKeyboard();
  EXPECT_EQ(WasKeyReleased(Key::B), 0) << "IsKeyDown does not arm the release; only WasKeyReleased does";
}

TEST_F(Input, AnyKeyQueriesCoverEveryKey) {
  PollKeyboard();
  EXPECT_EQ(IsKeyDown(Key::Any), 0) << "no key held";
  EXPECT_EQ(WasKeyReleased(Key::Any), 0);
  PushKey(SDL_SCANCODE_RCTRL, true);  // an extended key, code 0x9D
  PushKey(SDL_SCANCODE_Q, true);
  PollKeyboard();
  EXPECT_EQ(IsKeyDown(Key::Any), 1) << "any key held gives 1, not 128";
  EXPECT_EQ(WasKeyReleased(Key::Any), 0);
  PushKey(SDL_SCANCODE_RCTRL, false);
  PollKeyboard();
  EXPECT_EQ(IsKeyDown(Key::Any), 1) << "Q is still held";
  EXPECT_EQ(WasKeyReleased(Key::Any), 1) << "the any-key query saw right Ctrl held, so its release counts";
  EXPECT_EQ(WasKeyReleased(Key::RightControl), 0) << "the any-key query used up that release";
  PushKey(SDL_SCANCODE_Q, false);
  PollKeyboard();
  EXPECT_EQ(WasKeyReleased(Key::Q), 1) << "the any-key query armed Q's release too";
  EXPECT_EQ(IsKeyDown(Key::Any), 0);
}

TEST_F(Input, KeyRepeatsAndOutOfRangeKeysChangeNothing) {
  PushKey(SDL_SCANCODE_SPACE, true);
  PollKeyboard();
  PushKey(SDL_SCANCODE_SPACE, false);
  PushKey(SDL_SCANCODE_SPACE, true, true);
  PollKeyboard();
  EXPECT_EQ(IsKeyDown(Key::Space), 0) << "a repeat of a released key does not press it again";
  EXPECT_EQ(IsKeyDown(256), 0);
  EXPECT_EQ(IsKeyDown(-2), 0);
  EXPECT_EQ(WasKeyReleased(1000), 0);
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
  EXPECT_EQ(IsKeyDown(Key::Escape), 128) << "a key that went down since the last poll is held in this one";
  EXPECT_EQ(IsKeyDown(Key::Any), 1) << "the tapped key counts as any key held";
  EXPECT_EQ(WasKeyReleased(Key::Escape), 0) << "no release while the snapshot shows it held";
  EXPECT_EQ(IsMouseButtonDown(1), 1) << "a click between two polls is held in the first of them";
  PollKeyboard();
  PollMouse();
  EXPECT_EQ(IsKeyDown(Key::Escape), 0) << "the next poll shows the tapped key up";
  EXPECT_EQ(WasKeyReleased(Key::Escape), 1) << "the tap's release is reported by the next poll";
  EXPECT_EQ(IsMouseButtonDown(1), 0) << "the next poll shows the clicked button up";
  PollKeyboard();
  PollMouse();
  EXPECT_EQ(WasKeyReleased(Key::Escape), 0) << "a tap is reported once";
  EXPECT_EQ(IsMouseButtonDown(1), 0);

  // A press over several polls is held exactly while it lasts: the tap rule adds nothing to it.
  InjectKey(Key::KeypadPlus, true);
  InjectMouseButton(1, true);
  for (int frame = 0; frame < 2; ++frame) {
    PollKeyboard();
    PollMouse();
    EXPECT_EQ(IsKeyDown(Key::KeypadPlus), 128) << "a held key, frame " << frame;
    EXPECT_EQ(IsMouseButtonDown(1), 1) << "a held button, frame " << frame;
  }
  InjectKey(Key::KeypadPlus, false);
  InjectMouseButton(1, false);
  PollKeyboard();
  PollMouse();
  EXPECT_EQ(IsKeyDown(Key::KeypadPlus), 0) << "a key let go after a poll is up at the next one";
  EXPECT_EQ(IsMouseButtonDown(1), 0) << "a button let go after a poll is up at the next one";
}

TEST_F(Input, ATapReachesOnlyTheSnapshotOfItsOwnDevice) {
  InjectKey(Key::F10, true);
  InjectKey(Key::F10, false);
  InjectMouseButton(2, true);
  InjectMouseButton(2, false);
  PollMouse();  // drains the key events too, into the keyboard's live state
  EXPECT_EQ(IsMouseButtonDown(2), 1);
  EXPECT_EQ(IsMouseButtonDown(1), 0) << "a right click is no left click";
  EXPECT_EQ(IsKeyDown(Key::F10), 0) << "the keyboard snapshot changes only with PollKeyboard";
  PollKeyboard();
  EXPECT_EQ(IsKeyDown(Key::F10), 128) << "a tap drained by the mouse's poll still reaches the keyboard's";
  PollKeyboard();
  EXPECT_EQ(IsKeyDown(Key::Any), 0);
}

TEST_F(Input, KeyPositionsMapToTheSetOneCodesBothWays) {
  // Set-1 codes of a PC keyboard by key position: the letter rows, the digit row, F1 to F10 and
  // the keys the game asks for by name.
  std::vector<std::pair<SDL_Scancode, int>> keys;
  const auto row = [&](const char* names, int firstCode) {
    for (int i = 0; names[i] != 0; ++i) {
      const char name[2] = {names[i], 0};
      keys.emplace_back(SDL_GetScancodeFromName(name), firstCode + i);
    }
  };
  row("1234567890", 0x02);
  row("QWERTYUIOP", 0x10);
  row("ASDFGHJKL", 0x1E);
  row("ZXCVBNM", 0x2C);
  for (int f = 0; f < 10; ++f) keys.emplace_back(static_cast<SDL_Scancode>(SDL_SCANCODE_F1 + f), 0x3B + f);
  keys.insert(
      keys.end(),
      {
          {SDL_SCANCODE_ESCAPE, 0x01},     {SDL_SCANCODE_MINUS, 0x0C},       {SDL_SCANCODE_BACKSPACE, 0x0E},
          {SDL_SCANCODE_RETURN, 0x1C},     {SDL_SCANCODE_LCTRL, 0x1D},       {SDL_SCANCODE_SEMICOLON, 0x27},
          {SDL_SCANCODE_APOSTROPHE, 0x28}, {SDL_SCANCODE_GRAVE, 0x29},       {SDL_SCANCODE_LSHIFT, 0x2A},
          {SDL_SCANCODE_BACKSLASH, 0x2B},  {SDL_SCANCODE_COMMA, 0x33},       {SDL_SCANCODE_PERIOD, 0x34},
          {SDL_SCANCODE_RSHIFT, 0x36},     {SDL_SCANCODE_KP_MULTIPLY, 0x37}, {SDL_SCANCODE_SPACE, 0x39},
          {SDL_SCANCODE_KP_MINUS, 0x4A},   {SDL_SCANCODE_KP_PLUS, 0x4E},     {SDL_SCANCODE_F11, 0x57},
          {SDL_SCANCODE_F12, 0x58},        {SDL_SCANCODE_KP_ENTER, 0x9C},    {SDL_SCANCODE_RCTRL, 0x9D},
          {SDL_SCANCODE_UP, 0xC8},         {SDL_SCANCODE_LEFT, 0xCB},        {SDL_SCANCODE_RIGHT, 0xCD},
          {SDL_SCANCODE_DOWN, 0xD0},       {SDL_SCANCODE_DELETE, 0xD3},
      });
  for (const auto& [scancode, code] : keys) {
    ASSERT_NE(scancode, SDL_SCANCODE_UNKNOWN) << "setup: SDL knows the key of code " << code;
    const char* name = SDL_GetScancodeName(scancode);
    PushKey(scancode, true);
    PollKeyboard();
    EXPECT_EQ(IsKeyDown(code), 128) << "the key " << name << " is key code " << code;
    EXPECT_EQ(HeldKeyCount(), 1) << "the key " << name << " holds exactly one key code";
    PushKey(scancode, false);
    PollKeyboard();
    PollKeyboard();

    // The tests' keys go the other way: a key code becomes the key at its position.
    InjectKey(code, true);
    SDL_Event event{};
    ASSERT_EQ(SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_KEYDOWN, SDL_KEYDOWN), 1) << "key code " << code;
    EXPECT_EQ(event.key.keysym.scancode, scancode) << "key code " << code << " is injected as " << name;
  }
  PushKey(SDL_SCANCODE_F15, true);
  PollKeyboard();
  EXPECT_EQ(IsKeyDown(Key::Any), 0) << "a key without a code is ignored";
}

TEST_F(Input, EveryKeyOfAFullSizeKeyboardHasACodeOfItsOwn) {
  std::map<int, std::vector<SDL_Scancode>> positions;  // key code: the key positions that give it
  for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
    PushKey(static_cast<SDL_Scancode>(scancode), true);
    PollKeyboard();
    for (int code = 0; code < 256; ++code) {
      if (IsKeyDown(code)) positions[code].push_back(static_cast<SDL_Scancode>(scancode));
    }
    PushKey(static_cast<SDL_Scancode>(scancode), false);
    PollKeyboard();
    PollKeyboard();
  }
  EXPECT_EQ(positions.size(), 105u) << "every key of a full-size keyboard has a code";
  for (const auto& [code, scancodes] : positions) {
    if (code == Key::Backslash) {
      // The ISO key left of Return sits where the US keyboard has its backslash.
      EXPECT_EQ(scancodes, (std::vector<SDL_Scancode>{SDL_SCANCODE_BACKSLASH, SDL_SCANCODE_NONUSHASH}));
    } else {
      EXPECT_EQ(scancodes.size(), 1u) << "key code " << code << " belongs to one key position only";
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
  EXPECT_EQ(IsMouseButtonDown(1), 0) << "buttons change only with a poll";
  PollMouse();
  EXPECT_EQ(IsMouseButtonDown(1), 1) << "left is button 1";
  EXPECT_EQ(IsMouseButtonDown(2), 1) << "right is button 2";
  EXPECT_EQ(IsMouseButtonDown(3), 1) << "middle is button 3";
  EXPECT_EQ(IsMouseButtonDown(0), 0);
  EXPECT_EQ(IsMouseButtonDown(4), 0);
  InjectMouseButton(2, false);
  InjectMouseButton(3, false);
  InjectMouseButton(1, false);
  PollMouse();
  EXPECT_EQ(IsMouseButtonDown(1), 0) << "released before the poll";
  EXPECT_EQ(IsMouseButtonDown(2), 0);
  EXPECT_EQ(IsMouseButtonDown(3), 0);
}

TEST_F(Input, InactiveWindowLeavesTheMouseAlone) {
  SetMousePos(100, 100);
  PushFocus(SDL_WINDOWEVENT_FOCUS_LOST);
  InjectMouseMotion(50, 50);
  InjectMouseButton(1, true);
  EXPECT_EQ(PollMouse(), 0) << "no mouse read while the window is inactive";
  EXPECT_EQ(MousePosX(), 100);
  EXPECT_EQ(IsMouseButtonDown(1), 0);
  PushFocus(SDL_WINDOWEVENT_FOCUS_GAINED);
  EXPECT_EQ(PollMouse(), 1);
  EXPECT_EQ(MousePosX(), 150) << "what was queued before is applied once the window is back";
  EXPECT_EQ(IsMouseButtonDown(1), 1);
}

TEST_F(Input, UninitialisedMouseIsNotRead) {
  ReleaseMouse();
  InjectMouseMotion(30, 30);
  EXPECT_EQ(PollMouse(), 0);
  EXPECT_EQ(MousePosX(), 0) << "the mouse starts at (0, 0) and stays there without a device";
}

}  // namespace
