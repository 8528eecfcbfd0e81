// The pause of a mission.
#include "game/pause_screen.h"

#include "base/tick_count.h"
#include "base/translation.h"
#include "game/menu.h"
#include "game/screenshot.h"
#include "media/draw.h"
#include "media/quads.h"
#include "media/screen_size.h"
#include "media/slots.h"
#include "media/sprites.h"
#include "mission/controls.h"
#include "mission/game_state.h"
#include "mission/mission_display.h"
#include "mission/shots.h"
#include "platform/display.h"
#include "platform/events.h"
#include "platform/gamepad.h"
#include "platform/input.h"
#include "platform/sound.h"

namespace {

constexpr int kDimming = 140;      // alpha of the veil over the paused frame
constexpr int kBandDimming = 150;  // alpha of the darker band behind the title and the hint
constexpr int kBandTop = 232;      // the band is 100 pixels high: the title at 236, the hint at 304

struct PauseState {
  int untilVolley = 0;        // milliseconds of the fire interval left as the pause began; 0 or below: none
  bool pictureTaken = false;  // kPausedFrameSprite holds the mission as it was left
  int shown = 0;  // frames of the pause with that picture presented; from 2 on both buffers hold it
};

PauseState pause;

// The frame on view is the mission's last only if that frame reached the screen: with the focus lost
// before its present it did not, and the screen may still hold the menu (a focus lost in a mission's
// first frame) or the last pause. The mission is then drawn afresh once the focus is back, since
// nothing is drawn without it.
void TakePicture() {
  if (pause.pictureTaken || !IsDisplayActive()) return;
  DrawMissionStill();
  pause.pictureTaken = CopyScreenToSprite(kPausedFrameSprite, 0, 0, kScreenWidth, kScreenHeight) != 0;
  pause.shown = 0;
}

void DrawCentred(const char* text, int y) {
  SetTextPosition(kScreenCentreX - MeasureText(text) / 2, y);
  WriteText(text);
}

void DrawPause() {
  BlitSprite(kPausedFrameSprite, 0, 0);
  BeginQuads();
  DrawQuadAlpha(kVeilQuad, 0, 0, kDimming);
  DrawQuadAlpha(kPauseBandQuad, 0, kBandTop, kBandDimming);
  EndQuads();
  BlitSpriteKeyed(kPauseTitleSprite, 200, kBandTop + 4);
  BeginDraw(BackBufferTarget());
  SetDrawFlags(kDrawTransparentText);
  SetDrawColor(150, 255, 150);
  // TRANSLATORS: under the title of a paused mission; P is the key, Start the gamepad's button.
  DrawCentred(Tr("Weiter mit P, Start oder einem Klick").c_str(), 304);
  EndDraw();
  PresentFrame();
}

}  // namespace

bool PauseFrame() {
  PollKeyboard();
  PollMouse();
  PollGamepad();
  if (WasKeyReleased(Key::F10)) TakeScreenshot();  // before this frame draws anything
  TrackClick(IsMouseButtonDown(kLeftButton));
  if (WasKeyReleased(Key::Escape) || WasPadButtonPressed(kPadBack) || WasCloseRequested()) {
    game.leaveLoop = 1;
    if (game.missionResult == MissionResult::kRunningOrWon) game.missionResult = MissionResult::kAborted;
    return true;
  }
  const bool goOn = WasKeyReleased(Key::P) || WasPadButtonPressed(kPadStart) || game.clickState == 1;
  TakePicture();
  // The pause stands still: once both buffers hold it (a screenshot takes the back buffer), frames
  // only hold it, at whatever frame rate.
  if (pause.shown >= 2 && IsDisplayActive()) {
    HoldFrame();
  } else {
    DrawPause();
    pause.shown = IsDisplayActive() ? pause.shown + 1 : 0;
  }
  return goOn;
}

void StartPause() {
  pause.untilVolley = UntilNextVolley();
  // Nothing has pumped the window's events since the mission's last present: with the focus, that
  // present showed its frame.
  pause.pictureTaken = IsDisplayActive() && CopyShownFrameToSprite(kPausedFrameSprite) != 0;
  pause.shown = 0;
  PauseWaves(true);
  StopPadRumble();
  game.clickState = IsMouseButtonDown(kLeftButton) ? 2 : 0;  // a button held into the pause is no click
}

void EndPause() {
  PauseWaves(false);
  // The fire interval goes on from where the pause held it; everything else counts frames.
  if (pause.untilVolley > 0) game.nextShotTime = AddTicks(GetTickCount(), pause.untilVolley);
  ResumeMissionControls();
}

void RunPause() {
  StartPause();
  while (!PauseFrame()) {
  }
  EndPause();
}
