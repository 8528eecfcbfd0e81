// The game's screen: 800 x 600 pixels, whatever the size of the window that shows it.
#pragma once

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
constexpr int kScreenCentreX = kScreenWidth / 2;   // 400: the projection's centre, the pointer's start
constexpr int kScreenCentreY = kScreenHeight / 2;  // 300
