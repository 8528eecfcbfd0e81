// The picture's place in the window.
#include "platform/picture_placement.h"

#include <algorithm>

Placement PicturePlacement(int windowWidth, int windowHeight, int pictureWidth, int pictureHeight) {
  const int factor = std::max(1, std::min(windowWidth / pictureWidth, windowHeight / pictureHeight));
  const int width = pictureWidth * factor;
  const int height = pictureHeight * factor;
  return {(windowWidth - width) / 2, (windowHeight - height) / 2, width, height};
}
