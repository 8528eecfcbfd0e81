// The layer's start and end.
#include "platform/multimedia.h"

#include "media/quads.h"
#include "platform/display.h"
#include "platform/gamepad.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "raster/quad_bands.h"

int InitMultimedia() {
  const int displayStarted = InitDisplay();
  InitQuads();
  InitMouse();
  InitKeyboard();
  // Without a display the game ends at once: a sound device or controllers opened for nothing would
  // only delay that, and their drivers may talk on stderr.
  if (displayStarted != 0) {
    InitAudio();
    InitGamepads();
  }
  return displayStarted;
}

void ShutdownMultimedia() {
  ReleaseKeyboard();
  ReleaseMouse();
  ReleaseGamepads();
  ReleaseAudio();
  ReleaseDisplay();
  ClearQuads();
  StopBandThread();
}
