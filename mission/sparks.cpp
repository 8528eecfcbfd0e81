// Explosion sparks and the screen shake.
#include "mission/sparks.h"

#include <cmath>

#include "base/random.h"
#include "mission/game_state.h"

namespace {

// x + RandomUpTo(700) - 300 in floats, as every spark position is computed: the sum of two
// large ints could overflow, and a float sum rounds where the ship is far out.
float Scatter(int centre) {
  return static_cast<float>(centre) + static_cast<float>(RandomUpTo(700)) - 300.0f;
}

}  // namespace

void SpawnSparks(int x, int y, int z, int count, int power) {
  if (power == 0) power = 100;
  const float powerScale = static_cast<float>(power);
  for (int i = 0; i < count; ++i) {
    Spark& spark = world.sparks.Append();
    // The random numbers are drawn in the order of the fields below.
    spark.z = static_cast<float>(z);
    spark.size = static_cast<float>(RandomUpTo(5000) + 300) * powerScale / 100.0f;
    spark.life = static_cast<float>(RandomUpTo(55) + 200);
    spark.x = Scatter(x);
    spark.y = Scatter(y);
    spark.velocity = static_cast<float>(RandomUpTo(400) + 120) * ((powerScale - 100.0f) / 400.0f + 1.0f);
    spark.heading = static_cast<float>(RandomUpTo(360));
    spark.climb = static_cast<float>(RandomUpTo(360));
  }
}

void SparkPass() {
  world.sparks.Walk([](Spark& spark) {
    spark.life -= 2.0f;
    if (spark.life < 0.0f) return true;
    // Heading 0 moves the spark straight up the screen.
    spark.x += std::sin(spark.heading / kHeadingUnitsPerRadian) * spark.velocity;
    spark.y -= std::cos(spark.heading / kHeadingUnitsPerRadian) * spark.velocity;
    spark.z += std::sin(spark.climb / kHeadingUnitsPerRadian) * spark.velocity / 2.0f;
    spark.size += 70.0f;
    spark.velocity *= 0.95f;
    return false;
  });
}

void ShakeStep() {
  if (world.shakeFrames <= 0) return;
  world.shakeOffsetX = RandomUpTo(2 * world.shakeStrength) - world.shakeStrength;
  world.shakeOffsetY = RandomUpTo(2 * world.shakeStrength) - world.shakeStrength;
  --world.shakeFrames;
  if (world.shakeFrames == 0) world.shakeOffsetX = world.shakeOffsetY = 0;
}

float MaxOf(float a, float b) {
  return b < a ? a : b;
}
