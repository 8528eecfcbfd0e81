// The fixture of the game-flow tests: the layer open on the headless drivers with every resource
// loaded from the build folder, an empty highscore table and the game state at its start values.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "game/menu.h"

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

using Picture = std::vector<unsigned int>;  // 800 x 600, top-down rows, 0x00RRGGBB

class GameScreen : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

 public:
  static Picture BackBuffer();
  // What DrawMenu put on view: one more present swaps it into the back buffer, where it is read.
  static Picture DrawnMenu();

  // The pointer goes to (x, y); pending motion and button events are applied.
  static void PointAt(int x, int y);
  // The left button goes down or up; the frame's PollMouse sees it.
  static void SetLeftButton(bool down);
  // A press and release of the left button at (x, y), one frame each; the action of the press.
  static MenuAction ClickAt(int x, int y);
  // One keyboard frame: the keys go down (or up), then PollKeyboard takes the snapshot.
  static void KeyFrame(std::initializer_list<int> keys, bool down);
};

unsigned int PixelAt(const Picture& picture, int x, int y);
