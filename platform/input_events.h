// What the keyboard and the mouse did since the last poll: recorded by the event pump, taken into
// the snapshots by the polls.
#pragma once

constexpr int kKeyCount = 256;    // set-1 key codes 0 to 255
constexpr int kMouseButtons = 3;  // left, right, middle
constexpr unsigned char kKeyHeld = 0x80;

// Recording starts afresh, with every key and button up and no motion; until then a device's
// events are dropped.
void StartKeyEvents();
void StartMouseEvents();
// Stops recording and drops what was recorded.
void StopKeyEvents();
void StopMouseEvents();

void RecordKey(int code, bool down);
void RecordMouseMotion(int dx, int dy);
void RecordMouseButton(int index, bool down);  // 0 left, 1 right, 2 middle

// Per key kKeyHeld while it is down, or if it went down since the last take (a tap between two
// polls is held for one snapshot), else 0.
void TakeKeys(unsigned char (&keys)[kKeyCount]);

struct MouseEvents {
  long long dx = 0;  // motion since the last take, in counts (pixels)
  long long dy = 0;
  bool buttons[kMouseButtons] = {};  // held now, or went down since the last take
};
MouseEvents TakeMouseEvents();
// Forgets the motion since the last take; the buttons stay as recorded.
void DropMouseMotion();
