// The one instance of the world, and the start of a step.
#include "mission/world.h"

World world;

void BeginWorldStep() {
  world.prevShipX = world.shipX;
  world.prevShipY = world.shipY;
  world.prevAimX = world.aimX;
  world.prevAimY = world.aimY;
  for (int i = 0; i <= world.lastDebrisIndex; ++i) world.debris[i].prevAngle = world.debris[i].angle;
  for (int i = 0; i < world.aliens.Count(); ++i) {
    Alien& alien = world.aliens.At(i);
    alien.prevX = alien.x;
    alien.prevY = alien.y;
    alien.prevZ = alien.z;
    alien.jumpY = 0.0f;  // a move of the fleet keeping is in prevY now: never blended
    alien.hasPrevious = 1;
  }
  for (int i = 0; i < world.shots.Count(); ++i) {
    Shot& shot = world.shots.At(i);
    shot.prevX = shot.x;
    shot.prevY = shot.y;
    shot.prevZ = shot.z;
    shot.prevSpin = shot.spin;
    shot.hasPrevious = 1;
  }
  for (int i = 0; i < world.sparks.Count(); ++i) {
    Spark& spark = world.sparks.At(i);
    spark.prevX = spark.x;
    spark.prevY = spark.y;
    spark.prevZ = spark.z;
    spark.prevSize = spark.size;
    spark.prevLife = spark.life;
    spark.hasPrevious = 1;
  }
}
