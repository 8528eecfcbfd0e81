// Every sprite, quad and sound slot of the game: what the resource catalogue loads into each, and
// who draws or plays it. A texture sprite and the quad that draws it share their number.
#pragma once

// ---- Quads (texture sprites of the same number) ----------------------------------------------
constexpr int kVeilQuad = 0;       // 16 x 16 of (0, 50, 0) stretched to 800 x 600: the menu's veil
constexpr int kCrosshairQuad = 1;  // "img/x.bmp": the crosshair of a mission
constexpr int kDebrisQuad = 3;     // "img/rock.bmp": a piece of debris
constexpr int kSparkQuad = 10;     // "img/expl.bmp": a spark of an explosion
constexpr int kGaugeQuad = 20;     // "img/dspl.jpg", 14 x 20: one segment of a gauge bar

// ---- Sprites -----------------------------------------------------------------------------------
constexpr int kBriefingSprite = 4;  // built in, 800 x 600: the briefing page of the menu
constexpr int kPointerSprite = 5;   // "img/crsr.bmp": the pointer of the menu and the name entry
constexpr int kTitleSprite = 6;     // built in, 432 x 72: the title logo

// The buttons, 200 x 50 each, built in, in slots 30 to 34.
constexpr int kStartButton = 30;     // "Starten"
constexpr int kBriefingButton = 31;  // "Mission"
constexpr int kLeaveButton = 32;     // "Beenden"
constexpr int kDoneButton = 33;      // "Fertig": back from a page, or confirm the name entry
constexpr int kListButton = 34;      // "Bestenliste"; also the caption of the name entry

// The background in four quarters, "img/bg1.jpg" to "img/bg4.jpg", drawn at (-40, -40),
// (400, -40), (-40, 300) and (400, 300).
constexpr int kBackgroundTopLeft = 50;
constexpr int kBackgroundTopRight = 51;
constexpr int kBackgroundBottomLeft = 52;
constexpr int kBackgroundBottomRight = 53;

// The cockpit over the world view.
constexpr int kCockpitTop = 60;     // "img/view1.jpg", opaque at (0, 0)
constexpr int kCockpitRight = 61;   // "img/view2.bmp", keyed at (470, 0)
constexpr int kCockpitBottom = 62;  // "img/view3.jpg", opaque at (0, 537)

constexpr int kPausedFrameSprite = 7;    // the last mission frame, shown under "Pause" while paused
constexpr int kPauseTitleSprite = 8;     // "img/pause.bmp", 400 x 64: the title over a paused mission
constexpr int kPauseBandQuad = 9;        // 16 x 16 almost black, stretched to 800 x 100: the band behind it
constexpr int kScreenshotSprite = 5000;  // the back buffer copied by F10, replaced by each screenshot

// ---- Alien ships and shots ---------------------------------------------------------------------
// The built-in ships of alien types 1 to 3 are the quads 40 to 42.
constexpr int AlienQuad(int type) {
  return type + 39;
}
constexpr int AlienTypeOfQuad(int quad) {
  return quad - 39;
}

// Weapon 1 to 4 fires quads 11 to 14 ("img/shot_1.bmp" to "img/shot_4.bmp"); an alien of type t
// fires the picture of weapon t.
constexpr int ShotQuad(int weapon) {
  return weapon + 10;
}
constexpr int AlienShotQuad(int alienQuad) {
  return ShotQuad(AlienTypeOfQuad(alienQuad));
}
// The type of the alien that fired a shot drawn by `shotQuad`.
constexpr int AlienTypeOfShot(int shotQuad) {
  return shotQuad - 10;
}

// ---- Sounds --------------------------------------------------------------------------------------
constexpr int kExplosionSound = 0;  // "expl1.wav": a destroyed alien, louder the nearer it was
constexpr int kShotSound = 1;       // "fire.wav": a volley of the player
constexpr int kClickSound = 2;      // "click.wav": a menu button
constexpr int kMusicLoop = 5;       // "loop.wav": the music, looping; played directly, not as an effect
