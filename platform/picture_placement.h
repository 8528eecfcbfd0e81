// Where the window surface shows the game's picture: enlarged by the largest whole factor that fits
// (at least 1), centred, black bars around it.
#pragma once

struct Placement {
  int x = 0;  // window pixels of the picture's top-left corner
  int y = 0;
  int width = 0;
  int height = 0;
};

Placement PicturePlacement(int windowWidth, int windowHeight, int pictureWidth, int pictureHeight);
