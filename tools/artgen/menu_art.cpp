// The menu's pictures: the title logo, the buttons, the briefing page and the pause's title; those
// with words in the language of the catalogue in play.
#include <algorithm>
#include <cmath>

#include "base/translation.h"
#include "tools/artgen/noise.h"
#include "tools/artgen/pictures.h"
#include "tools/artgen/text.h"

namespace {

constexpr float kPi = 3.14159265f;

// Polished silver: bright sky above a dark horizon at `horizon` (0 top to 1 bottom of the letters).
Rgb Silver(float t, float horizon) {
  if (t < horizon) {
    return Mix(Rgb{0.98f, 0.99f, 1.0f}, Rgb{0.6f, 0.63f, 0.7f}, SmoothStep(0.0f, horizon, t));
  }
  float below = (t - horizon) / (1.0f - horizon);
  Rgb low = Mix(Rgb{0.24f, 0.26f, 0.32f}, Rgb{0.82f, 0.84f, 0.9f}, SmoothStep(0.0f, 0.7f, below));
  return Mix(low, Rgb{0.55f, 0.57f, 0.64f}, SmoothStep(0.7f, 1.0f, below));
}

// Metal lettering: a dark outline, the silver body and a bright edge where the letters face up-left.
void SilverLetters(Canvas& c, const Mask& letters, int x, int y, int outline, float horizon) {
  Mask padded = PadMask(letters, outline + 1);
  int px = x - outline - 1;
  int py = y - outline - 1;
  PaintMask(c, DilateMask(padded, outline), px, py, [](float, float) { return Rgb{0.1f, 0.12f, 0.18f}; });
  float top = static_cast<float>(y);
  float height = static_cast<float>(letters.height);
  PaintMask(c, padded, px, py, [=](float, float cy) { return Silver((cy - top) / height, horizon); });
  Mask edge(padded.width, padded.height);
  for (int my = 0; my < padded.height; ++my) {
    for (int mx = 0; mx < padded.width; ++mx) {
      edge.Ref(mx, my) = std::max(0.0f, padded.At(mx, my) - padded.At(mx - 1, my - 1)) * 0.7f;
    }
  }
  AddMask(c, edge, px, py, Rgb{0.35f, 0.35f, 0.35f});
}

Rgb Green(float level) {
  return Rgb{0.25f, 1.0f, 0.45f} * level;
}

// A thin line with round ends added as light.
void GlowLine(Canvas& c, float x0, float y0, float x1, float y1, float halfWidth, Rgb light) {
  float pad = halfWidth + 2.0f;
  AddShape(
      c,
      Bounds(std::min(x0, x1) - pad, std::min(y0, y1) - pad, std::max(x0, x1) + pad, std::max(y0, y1) + pad),
      Capsule(x0, y0, x1, y1, halfWidth), [=](float, float) { return light; });
}

// An ellipse outline as light; only the parts where `keep` holds are drawn.
template <typename Keep>
void GlowEllipse(Canvas& c, float cx, float cy, float rx, float ry, float halfWidth, Rgb light, Keep keep) {
  Sdf ellipse = Ellipse(cx, cy, rx, ry);
  AddShape(
      c, Bounds(cx - rx - 2, cy - ry - 2, cx + rx + 2, cy + ry + 2),
      [=](float x, float y) { return std::fabs(ellipse(x, y)) - halfWidth; },
      [=](float x, float y) { return keep(x, y) ? light : Rgb{}; });
}

void Text(Canvas& c, const char* font, int size, const std::string& text, int x, int y, Rgb colour) {
  Mask letters = RenderText(font, size, text);
  PaintMask(c, letters, x, y, [=](float, float) { return colour; });
}

// The Earth as a wireframe globe: dark disc, parallels and meridians, a bright limb.
void Globe(Canvas& c, float cx, float cy, float r) {
  PaintShape(c, Bounds(cx - r, cy - r, cx + r, cy + r), Circle(cx, cy, r), [=](float x, float y) {
    float dx = (x - cx) / r;
    float dy = (y - cy) / r;
    float rim = std::sqrt(dx * dx + dy * dy);
    float land = SmoothStep(0.5f, 0.62f, Fbm(x * 0.03f, y * 0.03f, 81, 4));
    return Rgb{0.0f, 0.08f, 0.04f} + Rgb{0.05f, 0.25f, 0.1f} * (land * (1.0f - rim * 0.6f)) +
           Rgb{0.0f, 0.1f, 0.05f} * (rim * rim);
  });
  auto front = [=](float, float) { return true; };
  for (int k = -2; k <= 2; ++k) {
    // Parallels, seen slightly from above: flat ellipses.
    float lat = static_cast<float>(k) * 0.5f;
    float py = cy + r * std::sin(lat) * 0.97f;
    float pr = r * std::cos(lat);
    GlowEllipse(c, cx, py, pr, pr * 0.22f, 0.6f, Green(0.35f), [=](float, float y) { return y >= py; });
  }
  for (int k = 0; k < 6; ++k) {
    float a = static_cast<float>(k) * kPi / 6.0f;
    float rx = std::fabs(std::cos(a)) * r;
    GlowEllipse(c, cx, cy, std::max(rx, 0.8f), r, 0.6f, Green(0.35f), front);
  }
  GlowEllipse(c, cx, cy, r, r, 1.1f, Green(0.9f), front);
}

}  // namespace

Canvas MakeTitleLogo() {
  Canvas c(432, 72);
  Mask word = RenderTextTight(kSansBold, 64, "SPACE", 8);
  // Widened and fitted to the logo, with room for the outline.
  int height = 60;
  int width = std::min(404, word.width * height / word.height * 3 / 2);
  Mask letters = ScaleMask(word, width, height);
  SilverLetters(c, letters, (432 - width) / 2, (72 - height) / 2, 2, 0.52f);
  return KeyedOverBlack(c, 0.3f);
}

Canvas MakeButton(const std::string& label) {
  Canvas c(200, 50);
  // A rounded plate: a bevelled silver rim around a dark face.
  PaintShape(c, Bounds(0, 0, 200, 50), RoundedBox(1, 1, 199, 49, 9), [](float, float y) {
    return Mix(Rgb{0.78f, 0.8f, 0.86f}, Rgb{0.22f, 0.23f, 0.27f}, y / 50.0f);
  });
  PaintShape(c, Bounds(0, 0, 200, 50), RoundedBox(3, 3, 197, 47, 7), [](float, float y) {
    float gloss = y < 24.0f ? 0.05f * (1.0f - y / 24.0f) : 0.0f;
    return Mix(Rgb{0.13f, 0.14f, 0.18f}, Rgb{0.05f, 0.055f, 0.075f}, y / 50.0f) +
           Rgb{gloss, gloss, gloss * 1.2f};
  });
  Mask word = RenderTextTight(kSansBold, 25, label, 1);
  int x = (200 - word.width) / 2;
  int y = (50 - word.height) / 2;
  SilverLetters(c, word, x, y, 1, 0.55f);
  return KeyedOverBlack(c, 0.3f);
}

Canvas MakePauseTitle(const std::string& title) {
  Canvas c(400, 64);
  Mask word = RenderTextTight(kSansBold, 48, title, 5);
  // The logo's lettering, fitted into the picture with room for the outline.
  int height = std::min(50, word.height);
  int width = std::min(384, word.width * height / std::max(word.height, 1));
  Mask letters = ScaleMask(word, width, height);
  SilverLetters(c, letters, (400 - width) / 2, (64 - height) / 2, 2, 0.52f);
  return KeyedOverBlack(c, 0.3f);
}

Canvas MakeBriefingPage() {
  Canvas c(800, 600);
  // A dark green screen, slightly lighter in the middle, with a grid and scan lines.
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      float dx = (static_cast<float>(x) - 400.0f) / 500.0f;
      float dy = (static_cast<float>(y) - 300.0f) / 400.0f;
      float vignette = 1.0f - 0.55f * (dx * dx + dy * dy);
      Rgb colour = Rgb{0.01f, 0.075f, 0.035f} * vignette;
      bool major = x % 100 == 0 || y % 100 == 0;
      bool minor = x % 20 == 0 || y % 20 == 0;
      if (major)
        colour = colour + Green(0.16f * vignette);
      else if (minor)
        colour = colour + Green(0.06f * vignette);
      if (y % 2 == 1) colour = colour * 0.88f;
      c.At(x, y) = colour;
    }
  }
  // Frame with corner brackets.
  const Rgb frame = Green(0.55f);
  GlowLine(c, 14, 14, 786, 14, 0.6f, frame * 0.5f);
  GlowLine(c, 14, 586, 786, 586, 0.6f, frame * 0.5f);
  GlowLine(c, 14, 14, 14, 586, 0.6f, frame * 0.5f);
  GlowLine(c, 786, 14, 786, 586, 0.6f, frame * 0.5f);
  for (float sx : {1.0f, -1.0f}) {
    for (float sy : {1.0f, -1.0f}) {
      float x = sx > 0 ? 8.0f : 792.0f;
      float y = sy > 0 ? 8.0f : 592.0f;
      GlowLine(c, x, y, x + sx * 40.0f, y, 1.3f, frame);
      GlowLine(c, x, y, x, y + sy * 40.0f, 1.3f, frame);
    }
  }
  // Heading with a soft glow, and a rule under it.
  // TRANSLATORS: the heading of the briefing page.
  Mask heading = PadMask(RenderText(kSansBold, 44, Translated("Die Aufgabe")), 12);
  AddMask(c, BlurMask(heading, 4), 38, 22, Green(0.5f));
  PaintMask(c, heading, 38, 22, [](float, float y) {
    return Mix(Rgb{0.85f, 1.0f, 0.88f}, Rgb{0.4f, 1.0f, 0.55f}, (y - 34.0f) / 50.0f);
  });
  GlowLine(c, 50, 98, 470, 98, 1.0f, Green(0.7f));
  GlowLine(c, 478, 98, 490, 98, 1.0f, Green(0.7f));
  // TRANSLATORS: the five lines of the mission, each at most about 720 pixels wide in 20-pixel
  // bold lettering.
  const std::string lines[5] = {
      Translated("Notruf! Ihr Schiff bricht den Patrouillenflug sofort ab."),
      Translated("Außerirdische haben einen Angriff auf die Erde begonnen."),
      Translated("Im Erdorbit sammelt sich eine Flotte von etwa vierzig Schiffen."),
      Translated("Ihre Aufgabe: Bekämpfen Sie die Angreifer mit der Bordkanone,"),
      Translated("bis die Verstärkung eintrifft. Viel Glück, Pilot!"),
  };
  for (int i = 0; i < 5; ++i) {
    Mask line = RenderText(kSansBold, 20, lines[i]);
    AddMask(c, BlurMask(PadMask(line, 6), 2), 44, 116 + 32 * i, Green(0.25f));
    PaintMask(c, line, 50, 122 + 32 * i, [](float, float) { return Rgb{0.72f, 1.0f, 0.76f}; });
  }
  // TRANSLATORS: how a mission is scored, three lines of at most about 460 pixels in 15-pixel
  // lettering (the Earth stands to their right). A won mission is scored by the win formula alone.
  const std::string scoring[3] = {
      Translated("Jedes zerstörte Schiff bringt 100, 200 oder 300 Punkte."),
      Translated("Ein Sieg wird anders gewertet: nach Hülle und Energie,"),
      Translated("die übrig sind, und nach möglichst wenigen Schüssen."),
  };
  for (int i = 0; i < 3; ++i) Text(c, kSansBold, 15, scoring[i], 50, 292 + 20 * i, Rgb{0.62f, 0.9f, 1.0f});
  // The Earth with the alien fleet on its orbit.
  const float ex = 600.0f;
  const float ey = 398.0f;
  Globe(c, ex, ey, 92.0f);
  GlowEllipse(c, ex, ey + 6.0f, 170.0f, 44.0f, 0.7f, Green(0.55f), [&](float x, float y) {
    // The far side of the orbit passes behind the globe.
    float dx = x - ex;
    float dy = y - ey;
    bool hidden = y < ey + 6.0f && dx * dx + dy * dy < 93.0f * 93.0f;
    return !hidden && static_cast<int>(std::atan2(y - ey, x - ex) * 40.0f) % 3 != 0;
  });
  for (int k = 0; k < 40; ++k) {
    float a = static_cast<float>(k) * 2.0f * kPi / 40.0f + 0.1f;
    float x = ex + 170.0f * std::cos(a);
    float y = ey + 6.0f + 44.0f * std::sin(a);
    float dx = x - ex;
    float dy = y - ey;
    if (y < ey + 6.0f && dx * dx + dy * dy < 93.0f * 93.0f) continue;
    AddGlow(c, x, y, 2.2f, Rgb{1.0f, 0.3f, 0.2f} * 0.9f);
  }
  // TRANSLATORS: labels of the sketch on the briefing page, in capitals.
  Text(c, kMonoBold, 14, Translated("ERDE"), static_cast<int>(ex) + 70, static_cast<int>(ey) - 104,
       Green(0.85f));
  Text(c, kMonoBold, 14, Translated("FLOTTE: 40"), static_cast<int>(ex) + 90, static_cast<int>(ey) - 50,
       Rgb{1.0f, 0.45f, 0.35f});
  // Our ship: a small wireframe arrow on a dashed course towards the orbit.
  const float sx = 150.0f;
  const float sy = 400.0f;
  const Rgb wire = Green(0.95f);
  GlowLine(c, sx + 26, sy, sx - 16, sy - 16, 0.9f, wire);
  GlowLine(c, sx + 26, sy, sx - 16, sy + 16, 0.9f, wire);
  GlowLine(c, sx - 16, sy - 16, sx - 8, sy, 0.9f, wire);
  GlowLine(c, sx - 16, sy + 16, sx - 8, sy, 0.9f, wire);
  GlowLine(c, sx - 8, sy, sx + 26, sy, 0.6f, wire * 0.6f);
  AddGlow(c, sx - 12, sy, 3.0f, Rgb{0.5f, 1.0f, 0.6f} * 0.8f);
  for (int k = 0; k < 12; ++k) {
    // Dashes along a gentle curve from the ship to the orbit.
    float t0 = static_cast<float>(k) / 12.0f;
    float t1 = t0 + 0.045f;
    auto at = [&](float t) {
      return std::pair<float, float>{sx + 40.0f + t * 370.0f, sy - std::sin(t * kPi) * 40.0f + t * 10.0f};
    };
    auto [x0, y0] = at(t0);
    auto [x1, y1] = at(t1);
    GlowLine(c, x0, y0, x1, y1, 0.7f, wire * 0.7f);
  }
  for (float sgn : {-1.0f, 1.0f}) {
    // Target brackets around the ship.
    GlowLine(c, sx + sgn * 40.0f, sy - 28.0f, sx + sgn * 40.0f, sy - 16.0f, 0.6f, wire * 0.7f);
    GlowLine(c, sx + sgn * 40.0f, sy + 28.0f, sx + sgn * 40.0f, sy + 16.0f, 0.6f, wire * 0.7f);
    GlowLine(c, sx + sgn * 40.0f, sy - 28.0f, sx + sgn * 28.0f, sy - 28.0f, 0.6f, wire * 0.7f);
    GlowLine(c, sx + sgn * 40.0f, sy + 28.0f, sx + sgn * 28.0f, sy + 28.0f, 0.6f, wire * 0.7f);
  }
  Text(c, kMonoBold, 14, Translated("IHR SCHIFF"), static_cast<int>(sx) - 38, static_cast<int>(sy) + 36,
       Green(0.85f));
  // The controls, in the lower left corner (the lower right one holds the "Fertig" button): what,
  // by keyboard and mouse, by gamepad. Key and button names stay as they are printed on them.
  GlowLine(c, 40, 462, 460, 462, 0.5f, Green(0.4f));
  // TRANSLATORS: the table of controls in 12-pixel monospaced lettering: the first column is 16
  // characters wide, the second 36; the third must end before the Done button in its last rows.
  const std::string controls[8][3] = {
      {"", Translated("Tastatur und Maus"), Translated("Gamepad")},
      {Translated("Zielen"), Translated("Maus"), Translated("linker/rechter Stick")},
      {Translated("Feuer"), Translated("linke Maustaste, Leertaste"), Translated("A, rechter Trigger")},
      {Translated("Waffe"), Translated("1 bis 4"), Translated("Steuerkreuz links/rechts, LB/RB")},
      {Translated("Tempo"), Translated("Ziffernblock +/-, Pfeil hoch/runter"),
       Translated("Steuerkreuz hoch/runter")},
      {Translated("Pause"), "P", "Start"},
      {Translated("Abbruch"), "Esc", "Back"},
      {Translated("Bildschirmfoto"), "F10", ""},
  };
  const int columns[3] = {40, 160, 424};
  for (int row = 0; row < 8; ++row) {
    const Rgb colour = row == 0 ? Green(1.0f) : Green(0.8f);
    for (int column = 0; column < 3; ++column) {
      const std::string& cell = controls[row][column];
      if (!cell.empty()) Text(c, kMonoBold, 12, cell, columns[column], 468 + 14 * row, colour);
    }
  }
  return c;
}
