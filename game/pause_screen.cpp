// The pause of a mission.
#include "game/pause_screen.h"

#include "base/tick_count.h"
#include "game/menu.h"
#include "game/screenshot.h"
#include "media/draw.h"
#include "media/quads.h"
#include "media/screen_size.h"
#include "media/slots.h"
#include "media/sprites.h"
#include "mission/game_state.h"
#include "platform/display.h"
#include "platform/events.h"
#include "platform/gamepad.h"
#include "platform/input.h"
#include "platform/sound.h"

namespace {

constexpr int kDimming = 140;  // alpha of the veil over the paused frame

void DrawCentred(const char* text, int y) {
  SetTextPosition(kScreenCentreX - MeasureText(text) / 2, y);
  WriteText(text);
}

void DrawPause() {
  BlitSprite(kPausedFrameSprite, 0, 0);
  BeginQuads();
  DrawQuadAlpha(kVeilQuad, 0, 0, kDimming);
  EndQuads();
  BeginDraw(BackBufferTarget());
  SetDrawFlags(kDrawTransparentText);
  SetDrawColor(255, 255, 255);
  DrawCentred("Pause", 280);
  SetDrawColor(150, 255, 150);
  DrawCentred("Weiter mit P, Start oder einem Klick", 304);
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
  DrawPause();
  return goOn;
}

void RunPause() {
  const int pausedAt = GetTickCount();
  CopyShownFrameToSprite(kPausedFrameSprite);
  PauseWaves(true);
  game.clickState = IsMouseButtonDown(kLeftButton) ? 2 : 0;  // a button held into the pause is no click
  while (!PauseFrame()) {
  }
  PauseWaves(false);
  // The fire interval waits as long as the pause lasted; everything else counts frames.
  game.nextShotTime = AddTicks(game.nextShotTime, GetTickCount() - pausedAt);
}
