// Tests of the game controllers, with SDL's virtual joysticks standing in for real ones.
#include "platform/gamepad.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/events.h"
#include "platform/input.h"
#include "platform/multimedia.h"
#include "platform/testing/input_injection.h"
#include "tests/media/screen_helpers.h"

namespace {

class Gamepad : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    ASSERT_NO_FATAL_FAILURE(OpenTestDisplay());
    ASSERT_EQ(InitMouse(), 1);
    ASSERT_EQ(InitGamepads(), 1);
  }
  void TearDown() override { ShutdownMultimedia(); }
};

TEST_F(Gamepad, TheFirstControllerPlaysAndAnotherTakesOverWhenItGoes) {
  EXPECT_EQ(PollGamepad(), 0) << "no controller, nothing plays";
  const int first = PlugInTestPad();
  ASSERT_GE(first, 0) << "setup: SDL attaches a virtual controller";
  EXPECT_EQ(PollGamepad(), 1) << "a controller plugged in at any time plays";
  const int second = PlugInTestPad();
  ASSERT_GE(second, 0);
  SetTestPadButton(second, kPadA, true);
  PollGamepad();
  EXPECT_FALSE(IsPadButtonDown(kPadA)) << "the second controller connected does not play";
  SetTestPadButton(first, kPadA, true);
  PollGamepad();
  EXPECT_TRUE(IsPadButtonDown(kPadA)) << "the first one does";

  UnplugTestPad(first);
  PollGamepad();
  EXPECT_TRUE(WasPadUnplugged()) << "the playing controller went away";
  EXPECT_TRUE(IsPadConnected()) << "the other one plays on";
  PollGamepad();
  EXPECT_FALSE(WasPadUnplugged()) << "reported once";
  EXPECT_TRUE(IsPadButtonDown(kPadA)) << "with its own buttons";
  UnplugTestPad(second);
  PollGamepad();
  EXPECT_TRUE(WasPadUnplugged());
  EXPECT_FALSE(IsPadConnected()) << "none is left";
}

TEST_F(Gamepad, ButtonsAreHeldLikeKeysAndPressedOncePerPress) {
  const int pad = PlugInTestPad();
  ASSERT_GE(pad, 0);
  PollGamepad();
  SetTestPadButton(pad, kPadStart, true);
  PollGamepad();
  SetTestPadButton(pad, kPadStart, false);
  EXPECT_TRUE(IsPadButtonDown(kPadStart));
  EXPECT_TRUE(WasPadButtonPressed(kPadStart)) << "pressed in the poll that first sees it down";
  PollGamepad();
  EXPECT_FALSE(IsPadButtonDown(kPadStart));
  EXPECT_FALSE(WasPadButtonPressed(kPadStart)) << "a press counts once";

  // Down and up again between two polls (the mouse's poll drains the controller's events too):
  // held in one snapshot, as a tapped key is.
  SetTestPadButton(pad, kPadB, true);
  PollMouse();
  SetTestPadButton(pad, kPadB, false);
  PollGamepad();
  EXPECT_TRUE(IsPadButtonDown(kPadB)) << "a tap between two polls is held in the first";
  EXPECT_TRUE(WasPadButtonPressed(kPadB));
  PollGamepad();
  EXPECT_FALSE(IsPadButtonDown(kPadB));

  SetTestPadButton(pad, kPadRightTrigger, true);
  PollGamepad();
  EXPECT_TRUE(IsPadButtonDown(kPadRightTrigger)) << "a trigger pressed all the way is a button";
  EXPECT_FALSE(IsPadButtonDown(kPadLeftTrigger));
  SetTestPadButton(pad, kPadRightTrigger, false);
  PollGamepad();
  EXPECT_FALSE(IsPadButtonDown(kPadRightTrigger));
  EXPECT_FALSE(IsPadButtonDown(99)) << "no such button";
}

TEST_F(Gamepad, SticksAreReadRawAndOnlyWithTheFocus) {
  const int pad = PlugInTestPad();
  ASSERT_GE(pad, 0);
  SetTestPadStick(pad, kLeftStickX, 0.1);
  SetTestPadStick(pad, kRightStickY, -1.0);
  PollGamepad();
  EXPECT_NEAR(PadSticks().leftX, 0.1, 0.01) << "no dead zone at this level: the game applies its own";
  EXPECT_NEAR(PadSticks().rightY, -1.0, 0.01) << "up is negative";
  SetDisplayActive(false);
  PollGamepad();
  EXPECT_EQ(PadSticks().rightY, 0.0) << "without the focus the sticks count for nothing";
  SetDisplayActive(true);
}

TEST_F(Gamepad, RumblesWhereTheControllerCan) {
  RumblePad(1.0, 1000);  // no controller: nothing happens
  const int pad = PlugInTestPad();
  ASSERT_GE(pad, 0);
  PollGamepad();
  RumblePad(0.5, 1000);
  EXPECT_NEAR(TestPadRumble(pad), 0.5, 0.01) << "the controller rumbles at the strength asked for";
  RumblePad(1.0, 1000);
  EXPECT_NEAR(TestPadRumble(pad), 1.0, 0.01);
}

}  // namespace
