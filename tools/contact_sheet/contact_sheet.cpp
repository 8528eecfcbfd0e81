// The contact sheet: every picture of the game at its drawn size on one page (art.bmp), and a
// mission frame beside the main menu as the game draws them (game.bmp).
//
// Usage: contact_sheet [output folder]   (default "contact_sheet"); run it from the folder that
// holds the game's img/ folder, as the game itself is. Without a display variable set it draws
// on SDL's headless driver.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "base/random.h"
#include "formats/bmp_writer.h"
#include "game/main_loop.h"
#include "game/menu.h"
#include "game/resources.h"
#include "media/draw.h"
#include "media/quads.h"
#include "media/screen_buffers.h"
#include "media/slots.h"
#include "media/sprites.h"
#include "mission/aliens.h"
#include "mission/game_state.h"
#include "mission/mission_progress.h"
#include "mission/rounding.h"
#include "platform/display.h"
#include "platform/frame_pacing.h"
#include "platform/input.h"
#include "platform/multimedia.h"
#include "platform/testing/input_injection.h"

namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
constexpr int kLineHeight = 16;                     // one line of the 13-pixel font
constexpr int kLabelGap = 4;                        // between a picture and its label
constexpr std::uint32_t kOutlineColour = 0x505050;  // outline marking the area a picture is drawn in
constexpr int kShipWidth = 250;                     // ships are shown at the depth where they are this wide

// A picture in memory: 0x00RRGGBB pixels in top-down rows.
struct Picture {
  int width;
  int height;
  std::vector<std::uint32_t> pixels;

  Picture(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, 0) {}
  std::uint32_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

void ClearScreen() {
  BeginDraw(BackBufferTarget());
  FillRect(0, 0, kScreenWidth, kScreenHeight, 0);
  EndDraw();
}

Picture ReadScreen() {
  Picture screen(kScreenWidth, kScreenHeight);
  if (!ReadBackBuffer(screen.pixels.data())) {
    std::fprintf(stderr, "contact_sheet: cannot read the back buffer\n");
    std::exit(1);
  }
  return screen;
}

// Copies the width x height rectangle at (x, y) of `from` to (toX, toY) of `to`, clipped to both.
void Paste(Picture& to, const Picture& from, int x, int y, int width, int height, int toX, int toY) {
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      const int fx = x + column, fy = y + row, tx = toX + column, ty = toY + row;
      if (fx < 0 || fy < 0 || fx >= from.width || fy >= from.height) continue;
      if (tx < 0 || ty < 0 || tx >= to.width || ty >= to.height) continue;
      to.At(tx, ty) = from.At(fx, fy);
    }
  }
}

// A one-pixel outline just outside the rectangle, so that the drawn size of a picture shows even
// where its edges are black.
void Outline(Picture& sheet, int x, int y, int width, int height) {
  const auto plot = [&sheet](int px, int py) {
    if (px >= 0 && py >= 0 && px < sheet.width && py < sheet.height) sheet.At(px, py) = kOutlineColour;
  };
  for (int k = -1; k <= width; ++k) {
    plot(x + k, y - 1);
    plot(x + k, y + height);
  }
  for (int k = -1; k <= height; ++k) {
    plot(x - 1, y + k);
    plot(x + width, y + k);
  }
}

// Draws with `draw` onto a black screen and puts the screen's width x height rectangle at the
// top-left corner onto the sheet at (x, y), outlined.
void PlaceDrawn(Picture& sheet, int x, int y, int width, int height, const std::function<void()>& draw) {
  ClearScreen();
  draw();
  Picture screen = ReadScreen();
  Paste(sheet, screen, 0, 0, width, height, x, y);
  Outline(sheet, x, y, width, height);
}

// Lines of text, one below the other, with their top-left corner at (x, y) of the sheet: the first
// light, the others grey.
void PlaceLabel(Picture& sheet, int x, int y, std::initializer_list<std::string> lines) {
  ClearScreen();
  BeginDraw(BackBufferTarget());
  SetDrawFlags(kDrawTransparentText);
  int widest = 0;
  int row = 0;
  for (const std::string& line : lines) {
    if (row == 0) {
      SetDrawColor(230, 230, 230);
    } else {
      SetDrawColor(150, 150, 150);
    }
    SetTextPosition(0, row * kLineHeight);
    WriteText(line.c_str());
    widest = std::max(widest, MeasureText(line.c_str()));
    ++row;
  }
  EndDraw();
  Picture screen = ReadScreen();
  Paste(sheet, screen, 0, 0, widest, row * kLineHeight, x, y);
}

// A picture with its label below it.
void PlaceItem(Picture& sheet, int x, int y, int width, int height, const std::function<void()>& draw,
               std::initializer_list<std::string> label) {
  PlaceDrawn(sheet, x, y, width, height, draw);
  PlaceLabel(sheet, x, y + height + kLabelGap, label);
}

std::string Size(int width, int height) {
  return std::to_string(width) + " x " + std::to_string(height);
}

// The extent of a quad as it is drawn now: its bottom-right corner, rounded up.
int QuadWidth(int q) {
  return CeilToInt(QuadCornerX(q, 3));
}
int QuadHeight(int q) {
  return CeilToInt(QuadCornerY(q, 3));
}

// A quad drawn once at (0, 0) in a pass of its own with the given blending, as the game draws it.
void DrawQuadPass(int q, bool additive) {
  BeginQuads();
  if (additive) SetQuadBlend(kBlendSourceAlpha, kBlendDestinationAlpha);
  DrawQuad(q, 0, 0);
  EndQuads();
}

// A quad at its size as created (the image plus one pixel each way), labelled.
void PlaceQuad(Picture& sheet, int x, int y, int q, bool additive, const std::string& name,
               const std::string& file) {
  const int width = QuadWidth(q);
  const int height = QuadHeight(q);
  PlaceItem(sheet, x, y, width, height, [&] { DrawQuadPass(q, additive); },
            {name, file, "quad " + std::to_string(q) + ", " + Size(width, height)});
}

// The sheet of all the art: 1720 x 1380, the background and the cockpit in the top row, the
// briefing page bottom left and the smaller pictures beside it.
Picture ArtSheet() {
  Picture sheet(1720, 1380);

  // Background: the four quarters joined as the game lays them out, 440 and 340 pixels apart.
  const int bgX = 10, bgY = 10;
  for (int quarter = 0; quarter < 4; ++quarter) {
    const int slot = 50 + quarter;
    const int qx = quarter % 2 * 440;
    const int qy = quarter / 2 * 340;
    ClearScreen();
    BlitSprite(slot, 0, 0);
    Picture screen = ReadScreen();
    Paste(sheet, screen, 0, 0, SpriteWidth(slot), SpriteHeight(slot), bgX + qx, bgY + qy);
  }
  Outline(sheet, bgX, bgY, 880, 680);
  PlaceLabel(sheet, bgX, bgY + 680 + kLabelGap,
             {"background: sprites 50 to 53 (img/bg1.jpg to bg4.jpg), 440 x 340 each, joined",
              "drawn at (-40, -40), (400, -40), (-40, 300), (400, 300) plus the screen shake"});

  // Cockpit: the three parts at their places on the screen.
  const int cockpitX = 910, cockpitY = 10;
  PlaceItem(
      sheet, cockpitX, cockpitY, kScreenWidth, kScreenHeight,
      [] {
        BlitSprite(60, 0, 0);
        BlitSpriteKeyed(61, 470, 0);
        BlitSprite(62, 0, 537);
      },
      {"cockpit on the 800 x 600 screen",
       "sprite 60 img/view1.jpg " + Size(SpriteWidth(60), SpriteHeight(60)) + " at (0, 0);  sprite 62 " +
           "img/view3.jpg " + Size(SpriteWidth(62), SpriteHeight(62)) + " at (0, 537)",
       "sprite 61 img/view2.bmp " + Size(SpriteWidth(61), SpriteHeight(61)) + " keyed at (470, 0)"});

  // Briefing page, full screen.
  const int pageX = 10, pageY = 740;
  PlaceItem(
      sheet, pageX, pageY, SpriteWidth(4), SpriteHeight(4), [] { BlitSprite(4, 0, 0); },
      {"briefing page: sprite 4 (built in), " + Size(SpriteWidth(4), SpriteHeight(4)) + ", menu page 1"});

  // The column beside the briefing page.
  const int columnX = 840;

  PlaceItem(sheet, columnX, pageY, SpriteWidth(6), SpriteHeight(6), [] { BlitSpriteKeyed(6, 0, 0); },
            {"title logo", "sprite 6 (built in), " + Size(SpriteWidth(6), SpriteHeight(6)) + ", keyed"});
  // The veil is one flat colour stretched over the whole menu; a piece of it is enough to show it.
  PlaceItem(sheet, 1300, pageY, 200, 72,
            [] {
              BeginQuads();
              DrawQuadAlpha(0, 0, 0, 200);
              EndQuads();
            },
            {"menu veil (part of it)", "quad 0, 800 x 600 of (0, 50, 0)", "at alpha 200, here over black"});

  struct Button {
    int slot;
    const char* word;
  };
  const Button buttons[5] = {
      {30, "Starten"}, {31, "Mission"}, {34, "Bestenliste"}, {32, "Beenden"}, {33, "Fertig"}};
  // Four buttons in a row, "Fertig" below the first.
  for (int i = 0; i < 5; ++i) {
    const int slot = buttons[i].slot;
    const int x = i < 4 ? columnX + i * 220 : columnX;
    const int y = i < 4 ? 880 : 980;
    PlaceItem(
        sheet, x, y, SpriteWidth(slot), SpriteHeight(slot), [slot] { BlitSpriteKeyed(slot, 0, 0); },
        {std::string("button \"") + buttons[i].word + "\"",
         "sprite " + std::to_string(slot) + " (built in), " + Size(SpriteWidth(slot), SpriteHeight(slot))});
  }

  // Beside "Fertig": the pointer, the crosshair and a gauge segment.
  const int pitch = 145;
  PlaceItem(sheet, columnX + 220, 980, SpriteWidth(5), SpriteHeight(5), [] { BlitSpriteKeyed(5, 0, 0); },
            {"pointer, keyed", "img/crsr.bmp", "sprite 5, " + Size(SpriteWidth(5), SpriteHeight(5))});
  PlaceQuad(sheet, columnX + 220 + pitch, 980, 1, true, "crosshair", "img/x.bmp");
  PlaceQuad(sheet, columnX + 220 + 2 * pitch, 980, 20, true, "gauge segment", "img/dspl.jpg");

  // The ships, each at the depth where it is drawn 250 pixels wide, sized by the quads as in a
  // mission: width and height in world units times 100 / depth, rounded up.
  for (int type = 1; type <= 3; ++type) {
    game.aliens.Clear();
    SpawnAlien(0, 0, 10000, type);
    const Alien alien = game.aliens.At(0);
    game.aliens.Clear();
    const int depth = alien.width * 100 / kShipWidth;
    const float scale = 100.0f / static_cast<float>(depth);
    const int width = CeilToInt(static_cast<float>(alien.width) * scale);
    const int height = CeilToInt(static_cast<float>(alien.height) * scale);
    SetQuadSize(alien.quad, width, height);
    PlaceItem(sheet, columnX + (type - 1) * 290, 1080, width, height,
              [&] { DrawQuadPass(alien.quad, false); },
              {"alien type " + std::to_string(type) + ", quad " + std::to_string(alien.quad),
               Size(width, height) + " at depth " + std::to_string(depth),
               // Appended: GCC 12 warns falsely (-Wrestrict) about "(" + std::to_string(...) at -O3.
               std::string("(").append(std::to_string(alien.width)) + " x " + std::to_string(alien.height) +
                   " world units)"});
  }

  // The pictures of the world view that change size with depth, at the size of their quads.
  const int worldY = 1245;
  PlaceQuad(sheet, columnX, worldY, 3, false, "debris rock", "img/rock.bmp");
  PlaceQuad(sheet, columnX + pitch, worldY, 10, true, "explosion spark", "img/expl.bmp");
  for (int weapon = 1; weapon <= 4; ++weapon) {
    PlaceQuad(sheet, columnX + (weapon + 1) * pitch, worldY, ShotQuad(weapon), true,
              "shot of weapon " + std::to_string(weapon), "img/shot_" + std::to_string(weapon) + ".bmp");
  }
  return sheet;
}

// The frame last presented: presenting once more swaps it back into the back buffer.
Picture PresentedFrame() {
  PresentFrame();
  return ReadScreen();
}

// The main menu after a won mission, with the pointer on "Starten".
Picture MenuPicture() {
  game.menuState = MenuPage::kMain;
  game.missionResult = MissionResult::kRunningOrWon;
  game.score = 12400;
  SetMousePos(330, 215);
  PollMouse();
  DrawMenu();
  return PresentedFrame();
}

// The screen position of the nearest alien whose centre is well inside the view; false if none.
bool NearestAlienOnScreen(int& x, int& y) {
  float nearest = 1e9f;
  for (int i = 0; i < game.aliens.Count(); ++i) {
    const Alien& alien = game.aliens.At(i);
    if (alien.z <= 0.0f || alien.z >= nearest) continue;
    const float sx = (alien.x - game.shipX) * 100.0f / alien.z + 400.0f;
    const float sy = (alien.y - game.shipY) * 100.0f / alien.z + 300.0f;
    if (sx < 80.0f || sx > 720.0f || sy < 80.0f || sy > 480.0f) continue;
    nearest = alien.z;
    x = RoundToInt(sx);
    y = RoundToInt(sy);
  }
  return nearest < 1e9f;
}

// Moves the mouse towards (x, y) as a hand would, at most 40 counts per frame and axis.
void SteerMouseTowards(int x, int y) {
  const int dx = std::clamp(x - MousePosX(), -40, 40);
  const int dy = std::clamp(y - MousePosY(), -40, 40);
  if (dx != 0 || dy != 0) InjectMouseMotion(dx, dy);
}

// A real mission: the approach unpaced, then a stretch at the game's own pace (the fire interval
// is counted in milliseconds) with weapon 4 chosen, the left button held and the mouse on the
// nearest alien.
Picture MissionPicture() {
  StartMission();
  SetFrameRate(0);
  while (game.approachPhase == 1 && game.leaveLoop == 0) MissionFrame();

  SetFrameRate(40);
  InjectKey(Key::Digit4, true);
  MissionFrame();
  InjectKey(Key::Digit4, false);
  InjectMouseButton(1, true);
  for (int frame = 0; frame < 160 && game.leaveLoop == 0; ++frame) {
    int x = 400, y = 300;
    if (NearestAlienOnScreen(x, y)) SteerMouseTowards(x, y);
    MissionFrame();
  }
  InjectMouseButton(1, false);
  return PresentedFrame();
}

bool WriteBmp(const Picture& picture, const std::filesystem::path& path) {
  const std::vector<std::uint8_t> bytes = EncodeBmp(picture.pixels.data(), picture.width, picture.height);
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) {
    std::fprintf(stderr, "contact_sheet: cannot write %s\n", path.c_str());
    return false;
  }
  std::printf("contact_sheet: wrote %s (%d x %d)\n", path.c_str(), picture.width, picture.height);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path folder = argc > 1 ? argv[1] : "contact_sheet";
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);

  ResetGameState();
  SeedRandom(1);  // the same fleet every run
  if (OpenGameScreen() == 0) {
    std::fprintf(stderr, "contact_sheet: cannot open the 800 x 600 display: %s\n", DisplayError());
    ShutdownMultimedia();
    return 1;
  }
  SetFrameRate(0);
  LoadResources();
  LoadBuiltinPages();
  PollKeyboard();
  PollMouse();

  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const Picture art = ArtSheet();

  Picture gameSheet(2 * kScreenWidth, kScreenHeight);
  Picture menu = MenuPicture();
  Picture mission = MissionPicture();
  Paste(gameSheet, mission, 0, 0, kScreenWidth, kScreenHeight, 0, 0);
  Paste(gameSheet, menu, 0, 0, kScreenWidth, kScreenHeight, kScreenWidth, 0);

  const bool written = WriteBmp(art, folder / "art.bmp") && WriteBmp(gameSheet, folder / "game.bmp");
  ShutdownMultimedia();
  return written ? 0 : 1;
}
