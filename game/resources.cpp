// The resource catalogue: every sprite, quad and sound slot, filled once at start-up.
#include "game/resources.h"

#include "media/builtin/builtin_images.h"
#include "media/draw.h"
#include "media/quads.h"
#include "media/sound.h"
#include "media/sprites.h"
#include "mission/sound_slots.h"

namespace {

constexpr int kVeilColour = 0x003200;  // (0, 50, 0) as 0x00BBGGRR

// A sprite of texture mode with a quad of the same number that draws it.
void LoadTexture(int n, const char* path) {
  LoadSpriteFile(n, path, kSpriteTexture);
  CreateQuad(n, n);
}

void LoadBuiltin(int n, BuiltinImage image, int mode) {
  LoadSpriteMemory(n, image.bytes, image.size, mode);
}

}  // namespace

// Image and sound paths are relative to the directory the program was started from. No result is
// looked at: a missing file leaves its slot empty and the game runs on without it.
void LoadResources() {
  EnableJpegLoading();

  LoadSpriteFile(50, "img/bg1.jpg");
  LoadSpriteFile(51, "img/bg2.jpg");
  LoadSpriteFile(52, "img/bg3.jpg");
  LoadSpriteFile(53, "img/bg4.jpg");

  // The menu's veil: one flat colour stretched over the whole screen, the same with any smoothing.
  NewSprite(0, 16, 16, kSpriteTexture);
  BeginDraw(SpriteTarget(0));
  FillRect(0, 0, 16, 16, kVeilColour);
  EndDraw();
  CreateQuad(0, 0);
  SetQuadSize(0, 800, 600);

  LoadTexture(1, "img/x.bmp");

  LoadSpriteFile(60, "img/view1.jpg");
  LoadSpriteFile(61, "img/view2.bmp");
  LoadSpriteFile(62, "img/view3.jpg");

  LoadTexture(3, "img/rock.bmp");
  LoadSpriteFile(5, "img/crsr.bmp");

  for (int type = 1; type <= 3; ++type) {
    const int slot = 39 + type;
    LoadBuiltin(slot, ShipImage(type), kSpriteTexture);
    CreateQuad(slot, slot);
  }

  LoadTexture(10, "img/expl.bmp");
  LoadTexture(11, "img/shot_1.bmp");
  LoadTexture(12, "img/shot_2.bmp");
  LoadTexture(13, "img/shot_3.bmp");
  LoadTexture(14, "img/shot_4.bmp");

  LoadTexture(20, "img/dspl.jpg");
  SetQuadSize(20, 14, 20);  // one segment of a gauge bar

  for (int slot = 30; slot <= 34; ++slot) LoadBuiltin(slot, ButtonImage(slot), kSpritePlain);

  LoadWave(kExplosionSound, "expl1.wav");
  SetWaveVolume(kExplosionSound, 50);
  LoadWave(kShotSound, "fire.wav");
  LoadWave(kClickSound, "click.wav");
  SetWaveVolume(kClickSound, 50);
  LoadWave(kMusicLoop, "loop.wav");
  SetWaveVolume(kMusicLoop, 0);  // the music loop fades in during a mission
}

void LoadBuiltinPages() {
  LoadBuiltin(4, BriefingPageImage(), kSpritePlain);
  LoadBuiltin(6, TitleLogoImage(), kSpritePlain);
}
