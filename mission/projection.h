// Where the world appears on the screen: 100 / z pixels per world unit around the screen's centre,
// moved by the screen shake; and the depth slices that order the drawing from far to near.
#pragma once

// The viewpoint a projection is made from.
struct Viewpoint {
  float shipX;
  float shipY;
  int shakeX;  // the screen shake's offset, pixels
  int shakeY;
};

// A world point on the screen.
struct Projection {
  float scale;  // 100 / z: pixels per world unit
  float cx;     // screen x of the point
  float cy;     // screen y of the point
};

Projection Project(const Viewpoint& view, float x, float y, float z);

// A world length on the screen: rounded up to whole pixels.
int ProjectedLength(float length, const Projection& at);

// Depth slices 0 to 60, 1000 units deep each; an object outside 0 <= z < 61000 is in none.
constexpr int kSliceCount = 61;
bool InSlice(float z, int slice);
bool InAnySlice(float z);
