// Shared set-up of the mission tests: fresh game state, a seeded generator, and the multimedia
// layer on SDL's headless drivers for the tests that poll input or draw.
#pragma once

#include <gtest/gtest.h>

#include "base/random.h"
#include "mission/game_state.h"

// Starts the layer once per test program: display, quads, mouse, keyboard, sound, an 800 x 600
// screen, no frame pacing.
void StartMediaOnce();

// Drops every key and button held by an earlier test and puts the mouse at (400, 300).
void ResetInput();

// One mission frame in the game's order.
void RunMissionFrame();

// An alien spawned like the game does (types 2 and 3 start deeper) that drifts nowhere.
Alien& StillAlien(int type, int x, int y, int z);

class MissionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    SeedRandom(20261207u);
  }
};

// For tests that poll input or draw.
class MissionMediaTest : public MissionTest {
 protected:
  void SetUp() override {
    MissionTest::SetUp();
    StartMediaOnce();
    ResetInput();
  }
};
