// The layer's start and end.
#include "media/multimedia.h"

#include "media/display.h"
#include "media/gamepad.h"
#include "media/input.h"
#include "media/quads.h"
#include "media/sound.h"
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
