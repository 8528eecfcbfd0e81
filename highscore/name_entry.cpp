// The typing of a player's name and the picture of the name-entry screen.
#include "highscore/name_entry.h"

#include "base/translation.h"
#include "media/draw.h"
#include "media/screen_size.h"
#include "media/slots.h"
#include "media/sprites.h"
#include "platform/display.h"
#include "platform/gamepad.h"
#include "platform/input.h"

NameEntryState nameEntry;

namespace {

struct KeyChar {
  int key;
  char character;
};

// Tested before the Shift step, in this order; a later key released in the same frame wins.
// Y and Z type as on a German keyboard, whose labels they carry there.
constexpr KeyChar kLettersAndDigits[] = {
    {Key::A, 'a'},      {Key::B, 'b'},      {Key::C, 'c'},      {Key::D, 'd'},      {Key::E, 'e'},
    {Key::F, 'f'},      {Key::G, 'g'},      {Key::H, 'h'},      {Key::I, 'i'},      {Key::J, 'j'},
    {Key::K, 'k'},      {Key::L, 'l'},      {Key::M, 'm'},      {Key::N, 'n'},      {Key::O, 'o'},
    {Key::P, 'p'},      {Key::Q, 'q'},      {Key::R, 'r'},      {Key::S, 's'},      {Key::T, 't'},
    {Key::U, 'u'},      {Key::V, 'v'},      {Key::W, 'w'},      {Key::X, 'x'},      {Key::Y, 'z'},
    {Key::Z, 'y'},      {Key::Digit1, '1'}, {Key::Digit2, '2'}, {Key::Digit3, '3'}, {Key::Digit4, '4'},
    {Key::Digit5, '5'}, {Key::Digit6, '6'}, {Key::Digit7, '7'}, {Key::Digit8, '8'}, {Key::Digit9, '9'},
    {Key::Digit0, '0'},
};

// Tested after the Shift step, so Shift leaves them alone. The full stop comes from the key left
// of 1; the key right of Comma types nothing.
constexpr KeyChar kSigns[] = {
    {Key::Semicolon, ';'}, {Key::Apostrophe, '\''}, {Key::Comma, ','},      {Key::Grave, '.'},
    {Key::Minus, '-'},     {Key::KeypadMinus, '-'}, {Key::KeypadPlus, '+'},
};

// Drawn behind the whole screen in four quarters.
void DrawBackground() {
  BlitSprite(kBackgroundTopLeft, -40, -40);
  BlitSprite(kBackgroundTopRight, kScreenCentreX, -40);
  BlitSprite(kBackgroundBottomLeft, -40, kScreenCentreY);
  BlitSprite(kBackgroundBottomRight, kScreenCentreX, kScreenCentreY);
}

}  // namespace

void ResetNameEntry() {
  nameEntry = NameEntryState{};
}

std::string EditText(const std::string& text, int maxLength) {
  char ch = 0;  // 0: no character in this frame
  // Every key is asked in every call: WasKeyReleased only reports a key it has seen held.
  for (const KeyChar& entry : kLettersAndDigits) {
    if (WasKeyReleased(entry.key)) ch = entry.character;
  }
  if ((IsKeyDown(Key::LeftShift) || IsKeyDown(Key::RightShift)) && ch >= 'a' && ch <= 'z') {
    ch = static_cast<char>(ch - 'a' + 'A');
  }
  for (const KeyChar& entry : kSigns) {
    if (WasKeyReleased(entry.key)) ch = entry.character;
  }
  // A name never begins with a space; the release is consumed all the same.
  if (WasKeyReleased(Key::Space) && !text.empty()) ch = ' ';
  if (WasKeyReleased(Key::KeypadMultiply)) ch = '*';

  std::string result = text;
  if (ch != 0 && static_cast<int>(result.size()) < maxLength) result += ch;
  // After the character: a character and Backspace released together cancel out.
  if (WasKeyReleased(Key::Backspace) && !result.empty()) result.pop_back();
  return result;
}

std::string EditTextByPad(const std::string& text, int maxLength) {
  constexpr int kCount = sizeof kNameCharacters - 1;
  int& letter = nameEntry.padLetter;
  if (WasPadButtonPressed(kPadUp)) letter = letter < 0 ? 0 : (letter + 1) % kCount;
  if (WasPadButtonPressed(kPadDown)) letter = letter < 0 ? 0 : (letter + kCount - 1) % kCount;
  std::string result = text;
  const bool accept = WasPadButtonPressed(kPadA) || WasPadButtonPressed(kPadRightTrigger) ||
                      WasPadButtonPressed(kPadRightShoulder) || WasPadButtonPressed(kPadRight);
  if (accept && letter >= 0 && static_cast<int>(result.size()) < maxLength) {
    const char ch = kNameCharacters[letter];
    if (ch != ' ' || !result.empty()) result += ch;
  }
  const bool erase =
      WasPadButtonPressed(kPadB) || WasPadButtonPressed(kPadLeftShoulder) || WasPadButtonPressed(kPadLeft);
  if (erase && !result.empty()) result.pop_back();
  return result;
}

void DrawNameEntry() {
  DrawBackground();
  BeginDraw(BackBufferTarget());
  SetDrawFlags(kDrawTransparentText);
  SetDrawColor(255, 255, 255);
  // TRANSLATORS: the line over the name entry, after a mission that earned a place in the table.
  constexpr const char* kCongratulation = TrKey("Gratulation! Neuer Highscore!!!");
  const std::string congratulation = Tr(kCongratulation);
  SetTextPosition(CentredOn(GermanText(kCongratulation).c_str(), 295, congratulation.c_str()), 140);
  WriteText(congratulation.c_str());
  // TRANSLATORS: the prompt before the name being typed, with the space before the name.
  const std::string prompt = Tr("Name: ") + nameEntry.playerName;
  SetTextPosition(250, 300);
  WriteText(prompt.c_str());
  if (nameEntry.padLetter >= 0) {
    // The controller's letter stands over the cursor in green; a space shows as a middle dot.
    const char letter = kNameCharacters[nameEntry.padLetter];
    const char shown[2] = {letter == ' ' ? '\xB7' : letter, 0};
    const int cursor = 250 + MeasureText(prompt.c_str());
    SetDrawColor(150, 255, 150);
    WriteText(shown);
    SetTextPosition(cursor, 300);
  }
  WriteText("_");
  EndDraw();
  BlitSpriteKeyed(kListButton, 300, 200);  // the "Bestenliste" picture as a caption
  BlitSpriteKeyed(kDoneButton, 500, 530);
  int pointerX = 0;
  int pointerY = 0;
  PeekMousePos(pointerX, pointerY);  // where it is now, also in a frame between two steps
  BlitSpriteKeyed(kPointerSprite, pointerX, pointerY);
  PresentFrame();
}
