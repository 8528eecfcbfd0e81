// The definitions of the game's global state.
#include "mission/game_state.h"

int musicOn = 1;
int soundOn = 1;

int leaveLoop = 0;
int menuState = 0;
int clickState = 0;

int missionResult = 0;
int missionStartTime = 0;
int score = 0;
int shotsFired = 0;

int hull = 0;
float energy = 0.0f;
int speed = 0;
float shipX = 0.0f;
float shipY = 0.0f;
int approachPhase = 0;
float musicVolume = 0.0f;
int weapon = 0;
int gunSide = 0;
int nextShotTime = 0;

int mouseX = 0;
int mouseY = 0;
int aimX = 0;
int aimY = 0;

int shakeFrames = 0;
int shakeStrength = 0;
int shakeOffsetX = 0;
int shakeOffsetY = 0;

int lastDebrisIndex = kDebrisCount - 1;
Debris debris[kDebrisCount];
ObjectList<Alien> aliens;
ObjectList<Shot> shots;
ObjectList<Spark> sparks;

void ResetGameState() {
  musicOn = soundOn = 1;
  leaveLoop = menuState = clickState = 0;
  missionResult = missionStartTime = score = shotsFired = 0;
  hull = speed = approachPhase = weapon = gunSide = nextShotTime = 0;
  energy = shipX = shipY = musicVolume = 0.0f;
  mouseX = mouseY = aimX = aimY = 0;
  shakeFrames = shakeStrength = shakeOffsetX = shakeOffsetY = 0;
  lastDebrisIndex = kDebrisCount - 1;
  for (Debris& piece : debris) piece = Debris{};
  aliens.Clear();
  shots.Clear();
  sparks.Clear();
}
