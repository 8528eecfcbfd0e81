// The fixture of the game-flow tests.
#include "game_fixture.h"

#include <unistd.h>

#include <cstdlib>

#include "game/main_loop.h"
#include "game/menu.h"
#include "game/resources.h"
#include "highscore/highscore_table.h"
#include "media/screen_buffers.h"
#include "mission/game_state.h"
#include "platform/display.h"
#include "platform/frame_pacing.h"
#include "platform/input.h"
#include "platform/multimedia.h"
#include "platform/testing/input_injection.h"

void GameScreen::SetUp() {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  ShutdownMultimedia();
  ResetGameState();
  // The art lies beside the program in the build folder, and is looked up from the working directory.
  ASSERT_EQ(chdir(SPACE_BUILD_DIR), 0);
  ASSERT_NE(OpenGameScreen(), 0) << "the headless display opens";
  SetFrameRate(0);  // no pacing in tests
  LoadResources();
  LoadBuiltinPages();
  InitHighscores(10, "kvshs.dat");  // empty places; the file is neither read nor written
  PollKeyboard();
  PollMouse();
}

void GameScreen::TearDown() {
  ShutdownMultimedia();
}

Picture GameScreen::BackBuffer() {
  Picture pixels(kScreenWidth * kScreenHeight);
  EXPECT_TRUE(ReadBackBuffer(pixels.data()));
  return pixels;
}

Picture GameScreen::DrawnMenu() {
  DrawMenu();
  PresentFrame();
  return BackBuffer();
}

void GameScreen::PointAt(int x, int y) {
  SetMousePos(x, y);
  PollMouse();
}

void GameScreen::SetLeftButton(bool down) {
  InjectMouseButton(1, down);
  PollMouse();
}

MenuAction GameScreen::ClickAt(int x, int y) {
  PointAt(x, y);
  SetLeftButton(true);
  const MenuAction action = MenuInput();
  SetLeftButton(false);
  MenuInput();
  return action;
}

void GameScreen::KeyFrame(std::initializer_list<int> keys, bool down) {
  for (int key : keys) InjectKey(key, down);
  PollKeyboard();
}

unsigned int PixelAt(const Picture& picture, int x, int y) {
  return picture[y * kScreenWidth + x];
}
