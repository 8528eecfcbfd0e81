// The keyboard's and the mouse's events between two polls.
#include "platform/input_events.h"

namespace {

struct KeyEvents {
  bool on = false;                        // StartKeyEvents was called, StopKeyEvents not since
  unsigned char live[kKeyCount] = {};     // kKeyHeld while the key is down
  unsigned char pressed[kKeyCount] = {};  // kKeyHeld: went down since the last take
};

struct PointerEvents {
  bool on = false;
  long long dx = 0;  // motion since the last take
  long long dy = 0;
  bool live[kMouseButtons] = {};     // held at the last button event
  bool pressed[kMouseButtons] = {};  // went down since the last take
};

KeyEvents keys;
PointerEvents pointer;

}  // namespace

void StartKeyEvents() {
  keys = KeyEvents{};
  keys.on = true;
}

void StartMouseEvents() {
  pointer = PointerEvents{};
  pointer.on = true;
}

void StopKeyEvents() {
  keys = KeyEvents{};
}

void StopMouseEvents() {
  pointer = PointerEvents{};
}

void RecordKey(int code, bool down) {
  if (!keys.on || code < 0 || code >= kKeyCount) return;
  keys.live[code] = down ? kKeyHeld : 0;
  if (down) keys.pressed[code] = kKeyHeld;
}

void RecordMouseMotion(int dx, int dy) {
  if (!pointer.on) return;
  pointer.dx += dx;
  pointer.dy += dy;
}

void RecordMouseButton(int index, bool down) {
  if (!pointer.on || index < 0 || index >= kMouseButtons) return;
  pointer.live[index] = down;
  if (down) pointer.pressed[index] = true;
}

void TakeKeys(unsigned char (&state)[kKeyCount]) {
  for (int k = 0; k < kKeyCount; ++k) {
    state[k] = keys.live[k] | keys.pressed[k];
    keys.pressed[k] = 0;
  }
}

MouseEvents TakeMouseEvents() {
  MouseEvents taken;
  taken.dx = pointer.dx;
  taken.dy = pointer.dy;
  pointer.dx = pointer.dy = 0;
  for (int b = 0; b < kMouseButtons; ++b) {
    taken.buttons[b] = pointer.live[b] || pointer.pressed[b];
    pointer.pressed[b] = false;
  }
  return taken;
}

void DropMouseMotion() {
  pointer.dx = pointer.dy = 0;
}
