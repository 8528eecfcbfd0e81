// Tests of text and shape drawing on the back buffer (dummy video driver, software renderer) and
// on sprites.
#include "media/draw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "media/sprites.h"
#include "platform/display.h"
#include "tests/media/screen_helpers.h"

namespace {

constexpr unsigned kBlack = 0x000000;  // pixels read back are 0x00RRGGBB
constexpr unsigned kWhite = 0xFFFFFF;

struct Box {
  int left = kWidth;
  int top = kHeight;
  int right = -1;  // inclusive
  int bottom = -1;
};

class Draw : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    EndDraw();
    ASSERT_NO_FATAL_FAILURE(OpenTestDisplay());
  }

  void TearDown() override {
    EndDraw();
    ShutdownMultimedia();
  }

  // Reads the back buffer (black where nothing was drawn).
  void Capture() { screen_ = Screen(); }

  unsigned At(int x, int y) const { return screen_[static_cast<std::size_t>(y) * kWidth + x]; }

  // The smallest box holding every pixel that is not black inside the given area.
  Box Drawn(int left, int top, int right, int bottom) const {
    Box box;
    for (int y = top; y <= bottom; ++y) {
      for (int x = left; x <= right; ++x) {
        if (At(x, y) == kBlack) continue;
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x);
        box.bottom = std::max(box.bottom, y);
      }
    }
    return box;
  }

  // True if the w x h blocks at (x1, y1) and (x2, y2) hold the same pixels.
  bool SameBlock(int x1, int y1, int x2, int y2, int w, int h) const {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        if (At(x1 + x, y1 + y) != At(x2 + x, y2 + y)) return false;
      }
    }
    return true;
  }

  // Opens a phase on the back buffer.
  static void BeginBackBuffer() { ASSERT_EQ(BeginDraw(BackBufferTarget()), 1); }

  std::vector<unsigned> screen_;
};

TEST_F(Draw, SecondTextContinuesWhereTheFirstEnded) {
  BeginBackBuffer();
  const int left = MeasureText("Links");
  const int right = MeasureText("Rechts");
  SetTextPosition(10, 10);
  WriteText("Links");
  WriteText("Rechts");
  SetTextPosition(10 + left, 100);
  WriteText("Rechts");
  EndDraw();
  Capture();

  const Box both = Drawn(0, 0, kWidth - 1, 60);
  EXPECT_EQ(both.left, 10) << "the text's top-left corner is the position";
  EXPECT_EQ(both.top, 10);
  EXPECT_EQ(both.right, 10 + left + right - 1) << "the two opaque boxes end after both widths";
  EXPECT_TRUE(SameBlock(10 + left, 10, 10 + left, 100, right, both.bottom - both.top + 1))
      << "the second text is drawn at the first text's end, on the same line";
}

TEST_F(Draw, NewPhaseDrawsBlackTextOnAWhiteBox) {
  BeginBackBuffer();
  SetDrawFlags(kDrawTransparentText);
  SetDrawColor(255, 0, 0);
  EndDraw();
  BeginBackBuffer();
  SetTextPosition(50, 50);
  WriteText("Mx");
  const int width = MeasureText("Mx");
  EndDraw();
  Capture();

  const Box box = Drawn(0, 0, kWidth - 1, kHeight - 1);
  EXPECT_EQ(box.left, 50);
  EXPECT_EQ(box.right, 50 + width - 1);
  EXPECT_EQ(At(50, 50), kWhite) << "opaque background: the box is white";
  EXPECT_EQ(At(box.right, box.bottom), kWhite);
  bool fullyBlack = false;
  for (int y = box.top; y <= box.bottom; ++y) {
    for (int x = box.left; x <= box.right; ++x) {
      const unsigned p = At(x, y);
      ASSERT_TRUE((p >> 16) == (p & 0xFF) && ((p >> 8) & 0xFF) == (p & 0xFF))
          << "text is black after BeginDraw, not the previous phase's red, at " << x << "," << y;
      fullyBlack = fullyBlack || p == kBlack;
    }
  }
  EXPECT_TRUE(fullyBlack) << "the glyph stems are solid black";
  EXPECT_EQ(CurrentDrawColor(), 0xFF0000u) << "the colour value itself is kept from phase to phase";
}

TEST_F(Draw, ColourValueHasRedInTheHighByteLikeThePixels) {
  BeginBackBuffer();
  SetDrawColor(150, 255, 150);
  EXPECT_EQ(CurrentDrawColor(), 0x96FF96u);
  SetDrawColor(1, 2, 3);
  EXPECT_EQ(CurrentDrawColor(), 0x010203u) << "0x00RRGGBB, as every pixel holds it";
  EndDraw();
  SetDrawColor(9, 9, 9);
  EXPECT_EQ(CurrentDrawColor(), 0x010203u) << "outside a phase SetDrawColor does nothing";
}

TEST_F(Draw, FontIsThirteenPixelBoldWithWindows1252Texts) {
  EXPECT_EQ(MeasureText("Schiff"), 0) << "outside a phase MeasureText is 0";
  BeginBackBuffer();
  EXPECT_EQ(MeasureText(""), 0) << "the empty text is 0 wide";
  EXPECT_NEAR(MeasureText("Letzte Mission gescheitert!  Schiff  wurde zerst\xF6rt!"), 376, 6)
      << "DejaVu Sans Bold at 13 pixels";
  const int width = MeasureText("o");
  EXPECT_EQ(MeasureText("\xF6"), width) << "0xF6 is one o with diaeresis, not a replacement mark";

  SetDrawColor(255, 0, 0);  // red on white never reads as black background
  SetTextPosition(100, 200);
  WriteText("Mg");
  SetTextPosition(100, 300);
  WriteText("o");
  SetTextPosition(200, 300);
  WriteText("\xF6");
  SetTextPosition(300, 300);
  WriteText("");
  EndDraw();
  Capture();

  const Box line = Drawn(0, 150, kWidth - 1, 250);
  EXPECT_LE(line.bottom - line.top + 1, 18) << "a line is no taller than 18 pixels";
  EXPECT_GE(line.bottom - line.top + 1, 13);
  EXPECT_EQ(Drawn(290, 290, 400, 330).right, -1) << "the empty text draws nothing";

  int oTop = -1;
  int umlautTop = -1;
  for (int y = 300; y < 318 && (oTop < 0 || umlautTop < 0); ++y) {
    for (int x = 0; x < width; ++x) {
      if (oTop < 0 && At(100 + x, y) != kWhite) oTop = y;
      if (umlautTop < 0 && At(200 + x, y) != kWhite) umlautTop = y;
    }
  }
  ASSERT_GT(oTop, 300);
  EXPECT_LT(umlautTop, oTop) << "0xF6 has marks above the o";
  EXPECT_TRUE(SameBlock(100, oTop, 200, oTop, width, 318 - oTop)) << "below the marks 0xF6 is the o";
}

TEST_F(Draw, TextKeepsItsColourAndAVeryLongTextIsCutAtTheScreenEdge) {
  BeginBackBuffer();
  SetDrawFlags(kDrawTransparentText);
  SetDrawColor(255, 0, 0);
  SetTextPosition(10, 10);
  WriteText("HHH");
  SetDrawColor(0, 0, 255);
  SetTextPosition(10, 40);
  WriteText("HHH");
  // A name from a table written elsewhere: about 40,000 pixels wide.
  const std::string longName(3000, 'W');
  const std::string start(70, 'W');
  SetDrawColor(255, 255, 255);
  SetTextPosition(5, 100);
  WriteText(longName.c_str());
  SetTextPosition(5, 130);
  WriteText(start.c_str());
  const int longWidth = MeasureText(longName.c_str());
  SetTextPosition(0, 160);
  WriteText(longName.c_str());
  WriteText("W");
  EndDraw();
  Capture();

  const auto count = [this](int top, unsigned colour) {
    int n = 0;
    for (int y = top; y < top + 16; ++y)
      for (int x = 10; x < 60; ++x) n += At(x, y) == colour;
    return n;
  };
  EXPECT_GT(count(10, 0xFF0000u), 20) << "red text has solid red stems: red in the high byte of 0x00RRGGBB";
  EXPECT_GT(count(40, 0x0000FFu), 20) << "blue text has solid blue stems";
  EXPECT_EQ(count(10, 0x0000FFu), 0) << "and no channel is swapped";
  ASSERT_GT(longWidth, 30000);
  EXPECT_TRUE(SameBlock(0, 100, 0, 130, kWidth, 16))
      << "a text far wider than the screen shows the same start as a shorter one, up to the edge";
  EXPECT_NE(Drawn(kWidth - 20, 100, kWidth - 1, 115).right, -1) << "it reaches the screen's right edge";
  EXPECT_EQ(Drawn(0, 160, kWidth - 1, 176).left, 0) << "the text at x = 0 starts there";
}

TEST_F(Draw, FillRectCoversExactlyItsPixels) {
  BeginBackBuffer();
  FillRect(100, 100, 5, 3, 0xFF0000);
  EXPECT_EQ(CurrentDrawColor(), 0xFF0000u) << "the fill colour becomes current";
  FillRect(-5, -5, 10, 10, 0x00FF00);
  EndDraw();
  Capture();

  const Box red = Drawn(50, 50, 150, 150);
  EXPECT_EQ(red.left, 100);
  EXPECT_EQ(red.top, 100);
  EXPECT_EQ(red.right, 104) << "x to x + width - 1";
  EXPECT_EQ(red.bottom, 102) << "y to y + height - 1";
  EXPECT_EQ(At(102, 101), 0xFF0000u) << "0xFF0000 is red, as in the pixels";
  const Box green = Drawn(0, 0, 40, 40);
  EXPECT_EQ(green.right, 4) << "a rectangle reaching off the screen is clipped";
  EXPECT_EQ(green.bottom, 4);

  ASSERT_EQ(NewSprite(0, 16, 16, kSpritePlain), 1);
  ASSERT_EQ(BeginDraw(SpriteTarget(0)), 1);
  FillRect(0, 0, 16, 16, 0 + 50 * 256 + 0);
  EndDraw();
  const PixelArea sprite = SpriteArea(0);
  EXPECT_TRUE(std::all_of(sprite.pixels, sprite.pixels + 16 * 16, [](std::uint32_t p) {
    return p == 0x003200u;
  })) << "FillRect 0, 0, 16, 16 fills the whole 16 x 16 sprite";
}

TEST_F(Draw, LineLeavesOutItsEndAndTextFollowsFromThere) {
  BeginBackBuffer();
  SetDrawColor(0, 255, 0);
  DrawLineRel(100, 300, 20, 0);
  WriteText("A");
  DrawLineRel(200, 400, 10, 10);
  DrawLineRel(300, 400, -6, 2);
  EndDraw();
  Capture();

  for (int x = 100; x < 120; ++x) ASSERT_EQ(At(x, 300), 0x00FF00u) << "line pixel " << x;
  EXPECT_EQ(At(99, 300), kBlack);
  EXPECT_EQ(At(120, 300), kWhite) << "the end point is not drawn; the text's box starts there";
  EXPECT_EQ(Drawn(90, 290, 130, 330).top, 300) << "the text's top is the line's end";

  for (int i = 0; i < 10; ++i) EXPECT_EQ(At(200 + i, 400 + i), 0x00FF00u) << "diagonal step " << i;
  EXPECT_EQ(Drawn(195, 395, 215, 415).right, 209) << "the diagonal stops before (210, 410)";
  const Box shallow = Drawn(290, 395, 305, 405);
  EXPECT_EQ(shallow.left, 295) << "a line drawn to the left also leaves out its end (294, 402)";
  EXPECT_EQ(shallow.right, 300);
  EXPECT_EQ(At(294, 402), kBlack);
  EXPECT_EQ(At(295, 402), 0x00FF00u) << "the last step before the end";
}

TEST_F(Draw, FlagsOutlineAndInvert) {
  ASSERT_EQ(NewSprite(3, 8, 8, kSpritePlain), 1);
  ASSERT_EQ(BeginDraw(SpriteTarget(3)), 1);
  SetDrawFlags(kDrawNoFill);
  FillRect(0, 0, 8, 8, 0xFF0000);
  SetDrawFlags(kDrawInvert);
  FillRect(6, 6, 2, 2, 0);
  DrawLineRel(1, 1, 3, 0);
  DrawLineRel(1, 1, 2, 0);
  EndDraw();
  const PixelArea pixels = SpriteArea(3);
  const auto pixel = [&](int x, int y) { return pixels.pixels[static_cast<std::size_t>(y) * 8 + x]; };
  EXPECT_EQ(pixel(0, 0), 0xFF0000u) << "the outline is drawn";
  EXPECT_EQ(pixel(7, 3), 0xFF0000u);
  EXPECT_EQ(pixel(4, 4), 0u) << "without fill the inside stays";
  EXPECT_EQ(pixel(6, 6), 0xFFFFFFu) << "inverting black gives white";
  EXPECT_EQ(pixel(7, 7), 0x00FFFFu) << "inverting the red outline gives cyan";
  EXPECT_EQ(pixel(1, 1), 0u) << "inverting twice restores the pixel";
  EXPECT_EQ(pixel(3, 1), 0xFFFFFFu) << "inverted once";

  BeginBackBuffer();
  FillRect(10, 10, 4, 4, 0xFF0000);
  SetDrawFlags(kDrawInvert);
  FillRect(12, 12, 4, 4, 0xFF0000);
  EndDraw();
  Capture();
  EXPECT_EQ(At(11, 11), 0xFF0000u) << "outside the inverted rectangle";
  EXPECT_EQ(At(12, 12), 0x00FFFFu) << "red inverted on the back buffer";
  EXPECT_EQ(At(15, 15), kWhite) << "black inverted on the back buffer";
  EXPECT_EQ(At(16, 16), kBlack) << "the inverted rectangle also stops at x + width - 1";
}

TEST_F(Draw, TextOnASpriteGoesIntoItsPixels) {
  ASSERT_EQ(NewSprite(1, 60, 20, kSpritePlain), 1);
  ASSERT_EQ(BeginDraw(SpriteTarget(1)), 1);
  FillRect(0, 0, 60, 20, 0x0000FF);  // blue
  SetDrawColor(0, 0, 0);
  WriteText("Hi");
  const int width = MeasureText("Hi");
  SetDrawFlags(kDrawTransparentText);
  SetTextPosition(30, 2);
  WriteText("Hi");
  EndDraw();
  const PixelArea pixels = SpriteArea(1);
  const auto pixel = [&](int x, int y) { return pixels.pixels[static_cast<std::size_t>(y) * 60 + x]; };
  EXPECT_EQ(pixel(0, 0), kWhite) << "opaque text sits on a white box";
  EXPECT_EQ(pixel(width - 1, 0), kWhite);
  EXPECT_EQ(pixel(width, 0), 0x0000FFu) << "the box is as wide as the text";
  EXPECT_EQ(pixel(30, 2), 0x0000FFu) << "transparent text leaves the background";
  bool glyph = false;
  for (int y = 2; y < 20; ++y) {
    for (int x = 30; x < 30 + width && x < 60; ++x) glyph = glyph || pixel(x, y) == kBlack;
  }
  EXPECT_TRUE(glyph) << "the glyphs are drawn into the sprite";
}

TEST_F(Draw, TargetsAreHandedOutOnlyWhileFree) {
  DrawTarget* first = BackBufferTarget();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(BackBufferTarget(), nullptr) << "twice without EndDraw: nullptr the second time";
  ASSERT_EQ(BeginDraw(first), 1);
  EXPECT_EQ(BackBufferTarget(), nullptr) << "not while its phase is open";
  EndDraw();
  EXPECT_EQ(BeginDraw(first), 0) << "a target given back by EndDraw opens no phase";

  ASSERT_EQ(NewSprite(2, 4, 4, kSpritePlain), 1);
  EXPECT_EQ(SpriteTarget(7), nullptr) << "an empty sprite slot has no target";
  DrawTarget* sprite = SpriteTarget(2);
  ASSERT_NE(sprite, nullptr);
  EXPECT_EQ(SpriteTarget(2), nullptr) << "one sprite target at a time";
  ASSERT_EQ(BeginDraw(sprite), 1);
  EXPECT_GT(MeasureText("x"), 0);
  EXPECT_EQ(BeginDraw(nullptr), 0) << "BeginDraw without a target opens no phase";
  EXPECT_EQ(MeasureText("x"), 0) << "and it has ended the open one";
  DrawTarget* again = SpriteTarget(2);
  EXPECT_NE(again, nullptr) << "whose target is free again";
  BeginDraw(again);  // the fixture's EndDraw gives it back
}

TEST_F(Draw, ATextStartingLeftOfTheScreenShowsItsVisiblePartToTheRightEdge) {
  // A text about 2,800 pixels wide, drawn at x = 0 and shifted left by 100 and by 1000.
  std::string text;
  for (int i = 0; i < 200; ++i) text += "Ab" + std::to_string(i % 10) + " ";
  BeginBackBuffer();
  SetDrawFlags(kDrawTransparentText);
  SetDrawColor(255, 255, 255);
  ASSERT_GT(MeasureText(text.c_str()), 1800);
  SetTextPosition(0, 100);
  WriteText(text.c_str());
  SetTextPosition(-100, 200);
  WriteText(text.c_str());
  SetTextPosition(-1000, 300);
  WriteText(text.c_str());
  EndDraw();
  Capture();
  EXPECT_TRUE(SameBlock(100, 100, 0, 200, kWidth - 100, 16))
      << "at x = -100 the text is the same, 100 further left";
  EXPECT_NE(Drawn(kWidth - 40, 200, kWidth - 1, 215).right, -1) << "and it reaches the screen's right edge";
  EXPECT_NE(Drawn(0, 300, kWidth - 1, 315).right, -1) << "at x = -1000 its part from 1000 on is drawn";
  EXPECT_NE(Drawn(kWidth - 40, 300, kWidth - 1, 315).right, -1) << "up to the right edge";
}

TEST_F(Draw, APresentGivesBackTheBackBufferAndBlitsWaitForIt) {
  ASSERT_EQ(NewSprite(4, 2, 2, kSpritePlain), 1);
  ASSERT_EQ(BeginDraw(SpriteTarget(4)), 1);
  FillRect(0, 0, 2, 2, 0x00FF00);
  EndDraw();

  BeginBackBuffer();
  BlitSprite(4, 10, 10);
  EndDraw();
  BlitSprite(4, 20, 10);
  DrawTarget* fetched = BackBufferTarget();
  ASSERT_NE(fetched, nullptr);
  BlitSprite(4, 30, 10);
  Capture();
  EXPECT_EQ(At(10, 10), kBlack) << "no sprite is blitted while a phase holds the back buffer";
  EXPECT_EQ(At(20, 10), 0x00FF00u) << "after EndDraw it is";
  EXPECT_EQ(At(30, 10), kBlack) << "nor while a target is fetched and not yet used";

  PresentFrame();
  DrawTarget* again = BackBufferTarget();
  EXPECT_NE(again, nullptr) << "the present gives back a target fetched and never used";
  ASSERT_EQ(BeginDraw(again), 1);
  PresentFrame();
  EXPECT_EQ(MeasureText("x"), 0) << "the present ends a phase left open on the back buffer";
  EXPECT_NE(BackBufferTarget(), nullptr) << "and gives its target back for the next frame";

  CloseDisplay();
  ASSERT_NE(OpenDisplay(kWidth, kHeight, 32, "Space"), 0);
  EXPECT_NE(BackBufferTarget(), nullptr) << "closing the display gives back a target still held";
}

TEST_F(Draw, NothingHappensWithoutADisplay) {
  BeginBackBuffer();
  CloseDisplay();
  WriteText("Schiff");
  FillRect(0, 0, 10, 10, 0xFFFFFF);
  SetDrawFlags(kDrawInvert);
  FillRect(0, 0, 10, 10, 0xFFFFFF);
  DrawLineRel(0, 0, 10, 10);
  EndDraw();
  EXPECT_EQ(BackBufferTarget(), nullptr) << "no back buffer, no target";
  EXPECT_EQ(BeginDraw(nullptr), 0);
}

}  // namespace
