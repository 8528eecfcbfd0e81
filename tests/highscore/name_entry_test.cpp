// Tests of the typing of a name: which released keys become which characters.
#include "highscore/name_entry.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "platform/display.h"
#include "platform/input.h"
#include "platform/multimedia.h"
#include "platform/testing/input_injection.h"

namespace {

class EditTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitDisplay();
    InitKeyboard();
  }
  void TearDown() override { ShutdownMultimedia(); }

  // One frame of the screen: a fresh keyboard snapshot, then the typing.
  static std::string Frame(const std::string& text, int maxLength = kMaxNameLength) {
    PollKeyboard();
    return EditText(text, maxLength);
  }

  // Holds the keys for one frame, then releases them together; returns the text after the release.
  static std::string Release(std::string text, std::initializer_list<int> keys,
                             int maxLength = kMaxNameLength) {
    for (int key : keys) InjectKey(key, true);
    text = Frame(text, maxLength);
    for (int key : keys) InjectKey(key, false);
    return Frame(text, maxLength);
  }

  // Keys released one after another, each with a frame held and a frame released.
  static std::string Type(std::string text, std::initializer_list<int> keys, int maxLength = kMaxNameLength) {
    for (int key : keys) text = Release(text, {key}, maxLength);
    return text;
  }
};

TEST_F(EditTextTest, EveryKeyOfTheTableTypesItsCharacter) {
  const std::string letters =
      Type("", {Key::A, Key::B, Key::C, Key::D, Key::E, Key::F, Key::G, Key::H, Key::I,
                Key::J, Key::K, Key::L, Key::M, Key::N, Key::O, Key::P, Key::Q, Key::R,
                Key::S, Key::T, Key::U, Key::V, Key::W, Key::X, Key::Y, Key::Z},
           100);
  EXPECT_EQ(letters, "abcdefghijklmnopqrstuvwxzy") << "the key Y types z and the key Z types y";

  const std::string digits = Type("", {Key::Digit1, Key::Digit2, Key::Digit3, Key::Digit4, Key::Digit5,
                                       Key::Digit6, Key::Digit7, Key::Digit8, Key::Digit9, Key::Digit0});
  EXPECT_EQ(digits, "1234567890");

  const std::string signs = Type("x", {Key::Semicolon, Key::Apostrophe, Key::Comma, Key::Grave, Key::Minus,
                                       Key::KeypadMinus, Key::KeypadPlus, Key::Space, Key::KeypadMultiply});
  EXPECT_EQ(signs, "x;',.--+ *") << "the key left of 1 types the full stop";

  EXPECT_EQ(Type("x", {Key::Period, Key::Slash, Key::Equals, Key::Return, Key::Tab, Key::LeftShift}), "x")
      << "keys outside the table, the full-stop key among them, type nothing";
}

TEST_F(EditTextTest, ShiftHeldMakesLettersCapitalOnly) {
  std::string text = Type("", {Key::A});
  InjectKey(Key::LeftShift, true);
  text = Type(text, {Key::B});
  InjectKey(Key::LeftShift, false);
  text = Type(text, {Key::Digit1});
  EXPECT_EQ(text, "aB1") << "A, then B with Shift held, then 1";

  InjectKey(Key::RightShift, true);
  text = Type(text, {Key::Digit2, Key::Comma, Key::Y});
  InjectKey(Key::RightShift, false);
  EXPECT_EQ(text, "aB12,Z") << "Shift leaves digits and signs alone; the right Shift works like the left";

  EXPECT_EQ(Frame(text), "aB12,Z") << "releasing Shift itself types nothing";
}

TEST_F(EditTextTest, CharacterAppearsOnceWhenItsKeyIsReleased) {
  InjectKey(Key::K, true);
  std::string text;
  for (int frame = 0; frame < 5; ++frame) text = Frame(text);
  EXPECT_EQ(text, "") << "nothing is typed while the key is held";
  InjectKey(Key::K, false);
  text = Frame(text);
  EXPECT_EQ(text, "k") << "the release types the character";
  EXPECT_EQ(Frame(text), "k") << "a release is reported once: no repeat";

  InjectKey(Key::L, true);
  InjectKey(Key::L, false);
  EXPECT_EQ(Frame(text), "k") << "a tap that begins and ends between two polls is not seen";
}

TEST_F(EditTextTest, LaterKeyOfTheTableWinsInOneFrame) {
  EXPECT_EQ(Release("", {Key::A, Key::B}), "b") << "of A and B released together only b is added";
  EXPECT_EQ(Release("", {Key::B, Key::Comma}), ",") << "a sign released with a letter replaces it";
  EXPECT_EQ(Release("", {Key::Y, Key::Z}), "y") << "Z (typing y) comes after Y (typing z) in the table";
  InjectKey(Key::LeftShift, true);
  EXPECT_EQ(Release("", {Key::A, Key::Grave}), ".") << "Shift does not reach a sign that replaced the letter";
  InjectKey(Key::LeftShift, false);
}

TEST_F(EditTextTest, NameNeverBeginsWithASpace) {
  EXPECT_EQ(Type("", {Key::Space}), "") << "a leading space is ignored";
  EXPECT_EQ(Type("", {Key::Space, Key::A, Key::Space, Key::B, Key::Space, Key::Space}), "a b  ")
      << "later spaces stay, trailing ones included";

  // Space pressed while the name is still empty and released after its first letter: the press was
  // seen, so the release adds the space.
  InjectKey(Key::Space, true);
  std::string text = Release("", {Key::A});
  InjectKey(Key::Space, false);
  EXPECT_EQ(Frame(text), "a ") << "the Space key is watched in every frame, also while the name is empty";
}

TEST_F(EditTextTest, LengthLimitAndBackspace) {
  std::string text(kMaxNameLength, 'q');
  EXPECT_EQ(Type(text, {Key::A}), text) << "a 31st character is ignored";
  text = Type(text, {Key::Backspace});
  EXPECT_EQ(text, std::string(kMaxNameLength - 1, 'q')) << "Backspace at the full length gives 29 characters";
  EXPECT_EQ(Type(text, {Key::A}), text + "a") << "below the limit the letter is added again";

  EXPECT_EQ(Release("ab", {Key::C, Key::Backspace}), "ab") << "a letter and Backspace together cancel out";
  EXPECT_EQ(Release(std::string(kMaxNameLength, 'q'), {Key::C, Key::Backspace}),
            std::string(kMaxNameLength - 1, 'q'))
      << "at the full length the letter is dropped and Backspace still deletes";
  EXPECT_EQ(Type("", {Key::Backspace}), "") << "Backspace on an empty name leaves it empty";
  EXPECT_EQ(Type("ab", {Key::A}, 2), "ab") << "the limit is the one given";
}

}  // namespace
