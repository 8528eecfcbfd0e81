// The resource catalogue: every sprite, quad and sound slot, filled once at start-up.
#include "game/resources.h"

#include <cstdint>
#include <string>

#include "game/language.h"
#include "media/builtin/builtin_images.h"
#include "media/draw.h"
#include "media/quads.h"
#include "media/screen_size.h"
#include "media/slots.h"
#include "media/sprites.h"
#include "platform/sound.h"

namespace {

constexpr std::uint32_t kVeilColour = RgbPixel(0, 50, 0);
constexpr std::uint32_t kBandColour = RgbPixel(0, 6, 2);  // darker than the veil

// A sprite of texture mode with a quad of the same number that draws it.
void LoadTexture(int n, const char* path) {
  LoadSpriteFile(n, path, kSpriteTexture);
  CreateQuad(n, n);
}

void LoadBuiltin(int n, BuiltinImage image, int mode) {
  LoadSpriteMemory(n, image.bytes, image.size, mode);
}

// Loads the picture `file` of the language in play from "img/<language>/<file>" into sprite n;
// false for German, and where that file is missing or broken: the German picture is then loaded.
bool LoadTranslatedPicture(int n, const char* file) {
  const std::string& language = LanguageInPlay();
  return language != kGerman && LoadSpriteFile(n, ("img/" + language + "/" + file).c_str()) != 0;
}

// A picture with words: the one of the language in play, else the built-in German one.
void LoadWordPicture(int n, const char* file, BuiltinImage german) {
  if (!LoadTranslatedPicture(n, file)) LoadBuiltin(n, german, kSpritePlain);
}

// A picture file with words: the one of the language in play, else the German "img/<file>".
void LoadWordFile(int n, const char* file) {
  if (!LoadTranslatedPicture(n, file)) LoadSpriteFile(n, (std::string("img/") + file).c_str());
}

}  // namespace

// Image and sound paths are relative to the directory the program was started from. No result is
// looked at: a missing file leaves its slot empty and the game runs on without it.
void LoadResources() {
  EnableJpegLoading();

  LoadSpriteFile(kBackgroundTopLeft, "img/bg1.jpg");
  LoadSpriteFile(kBackgroundTopRight, "img/bg2.jpg");
  LoadSpriteFile(kBackgroundBottomLeft, "img/bg3.jpg");
  LoadSpriteFile(kBackgroundBottomRight, "img/bg4.jpg");

  // The menu's veil: one flat colour stretched over the whole screen, the same with any smoothing.
  NewSprite(kVeilQuad, 16, 16, kSpriteTexture);
  BeginDraw(SpriteTarget(kVeilQuad));
  FillRect(0, 0, 16, 16, kVeilColour);
  EndDraw();
  CreateQuad(kVeilQuad, kVeilQuad);
  SetQuadSize(kVeilQuad, kScreenWidth, kScreenHeight);

  LoadTexture(kCrosshairQuad, "img/x.bmp");

  LoadSpriteFile(kCockpitTop, "img/view1.jpg");
  LoadWordFile(kCockpitRight, "view2.bmp");
  LoadSpriteFile(kCockpitBottom, "img/view3.jpg");

  LoadTexture(kDebrisQuad, "img/rock.bmp");
  LoadSpriteFile(kPointerSprite, "img/crsr.bmp");

  for (int type = 1; type <= 3; ++type) {
    const int slot = AlienQuad(type);
    LoadBuiltin(slot, ShipImage(type), kSpriteTexture);
    CreateQuad(slot, slot);
  }

  LoadTexture(kSparkQuad, "img/expl.bmp");
  LoadTexture(ShotQuad(1), "img/shot_1.bmp");
  LoadTexture(ShotQuad(2), "img/shot_2.bmp");
  LoadTexture(ShotQuad(3), "img/shot_3.bmp");
  LoadTexture(ShotQuad(4), "img/shot_4.bmp");

  LoadTexture(kGaugeQuad, "img/dspl.jpg");
  SetQuadSize(kGaugeQuad, 14, 20);

  LoadWordPicture(kStartButton, "button_starten.bmp", ButtonImage(ButtonPicture::kStarten));
  LoadWordPicture(kBriefingButton, "button_mission.bmp", ButtonImage(ButtonPicture::kMission));
  LoadWordPicture(kLeaveButton, "button_beenden.bmp", ButtonImage(ButtonPicture::kBeenden));
  LoadWordPicture(kDoneButton, "button_fertig.bmp", ButtonImage(ButtonPicture::kFertig));
  LoadWordPicture(kListButton, "button_bestenliste.bmp", ButtonImage(ButtonPicture::kBestenliste));

  // The pause: its title, and the band that darkens the paused frame behind it.
  LoadWordFile(kPauseTitleSprite, "pause.bmp");
  NewSprite(kPauseBandQuad, 16, 16, kSpriteTexture);
  BeginDraw(SpriteTarget(kPauseBandQuad));
  FillRect(0, 0, 16, 16, kBandColour);  // not black, which a quad leaves out as its key colour
  EndDraw();
  CreateQuad(kPauseBandQuad, kPauseBandQuad);
  SetQuadSize(kPauseBandQuad, 800, 100);

  LoadWave(kExplosionSound, "expl1.wav");
  SetWaveVolume(kExplosionSound, 50);
  LoadWave(kShotSound, "fire.wav");
  LoadWave(kClickSound, "click.wav");
  SetWaveVolume(kClickSound, 50);
  LoadWave(kMusicLoop, "loop.wav");
  SetWaveVolume(kMusicLoop, 0);  // the music loop fades in during a mission
}

void LoadBuiltinPages() {
  LoadWordPicture(kBriefingSprite, "briefing.bmp", BriefingPageImage());
  LoadBuiltin(kTitleSprite, TitleLogoImage(), kSpritePlain);
}
