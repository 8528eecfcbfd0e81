// The projection of world points onto the 800 x 600 screen.
#include "mission/projection.h"

#include "media/screen_size.h"
#include "mission/rounding.h"

namespace {

constexpr float kSliceDepth = 1000.0f;

}  // namespace

Projection Project(const Viewpoint& view, float x, float y, float z) {
  const float scale = 100.0f / z;
  return {scale, (x - view.shipX) * scale + float(kScreenCentreX) + static_cast<float>(view.shakeX),
          (y - view.shipY) * scale + float(kScreenCentreY) + static_cast<float>(view.shakeY)};
}

int ProjectedLength(float length, const Projection& at) {
  return CeilToInt(length * at.scale);
}

bool InSlice(float z, int slice) {
  const float nearEdge = static_cast<float>(slice) * kSliceDepth;
  return z >= nearEdge && z < nearEdge + kSliceDepth;
}

bool InAnySlice(float z) {
  return z >= 0.0f && z < static_cast<float>(kSliceCount) * kSliceDepth;
}
