// Explosion sparks and the screen shake: the spark pass and the shake step of UpdateObjects.
#pragma once

// Appends `count` sparks around (x, y, z); `power` scales their size and speed (0 means 100).
void SpawnSparks(int x, int y, int z, int count, int power);

// Step 4 of UpdateObjects: moves, grows and fades every spark and removes the burnt-out ones.
void SparkPass();

// Step 6 of UpdateObjects: a new random offset of up to shakeStrength pixels while the shake runs.
void ShakeStep();

// The larger of a and b (b when they are equal). Shake sources raise their values with it.
float MaxOf(float a, float b);
