// Tests of the highscore list page: every text at its place, in white, with the table's contents.
#include "highscore/list_page.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "base/program_folder.h"
#include "highscore/highscore_file.h"
#include "highscore/highscore_table.h"
#include "media/draw.h"
#include "media/screen_buffers.h"
#include "media/sprites.h"
#include "platform/display.h"
#include "platform/frame_pacing.h"
#include "platform/multimedia.h"
#include "tests/picture_diff.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

using Picture = std::vector<unsigned int>;

class ListPage : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    ShutdownMultimedia();
    ASSERT_NE(InitDisplay(), 0);
    ASSERT_NE(OpenDisplay(kWidth, kHeight, 32, "Space"), 0);
    SetFrameRate(0);
    ASSERT_NE(NewSprite(100, kWidth, kHeight, kSpritePlain), 0);  // black
  }
  void TearDown() override { ShutdownMultimedia(); }

  // `draw` on a black back buffer, and the pixels it leaves there.
  template <typename Draw>
  static Picture OnBlack(Draw draw) {
    BlitSprite(100, 0, 0);
    draw();
    Picture pixels(kWidth * kHeight, 0);
    EXPECT_TRUE(ReadBackBuffer(pixels.data()));
    return pixels;
  }
};

TEST_F(ListPage, EveryTextStandsAtItsPlace) {
  // A file made elsewhere may hold a negative score; the table itself never ranks one in.
  const std::string name = "list_page_test_kvshs.dat";
  const std::vector<HighscoreEntry> entries = {
      {"Name mit Leerzeichen   ", 12345}, {"b", 5000}, {"", 7}, {"minus", -7}};
  {
    std::ofstream file(ProgramFolder() + name, std::ios::binary);
    file << SerializeHighscores(entries);
  }
  InitHighscores(10, name.c_str());
  const bool loaded = LoadHighscores();
  std::remove((ProgramFolder() + name).c_str());
  ASSERT_TRUE(loaded);
  ASSERT_EQ(HighscoreScore(4), -7);

  const Picture page = OnBlack(DrawHighscoreList);
  // The page written out text by text: (x, y), right-aligned to end at x or starting there.
  struct PlacedText {
    int x, y;
    std::string text;
    bool endsAtX;
  };
  std::vector<PlacedText> texts = {{320, 150, "--- B E S T E N L I S T E ---", false},
                                   {250, 190, "Pos.", false},
                                   {320, 190, "Punktzahl", false},
                                   {420, 190, "Name", false},
                                   {280, 220, "1.", true},
                                   {380, 220, "12345 pts.", true},
                                   {420, 220, "\"Name mit Leerzeichen   \"", false},
                                   {280, 240, "2.", true},
                                   {380, 240, "5000 pts.", true},
                                   {420, 240, "\"b\"", false},
                                   {280, 260, "3.", true},
                                   {380, 260, "7 pts.", true},
                                   {420, 260, "\"\"", false},
                                   {280, 280, "4.", true},
                                   {380, 280, "-7 pts.", true},
                                   {420, 280, "\"minus\"", false}};
  for (int p = 5; p <= 10; ++p) {  // empty places: score 0, an empty name
    texts.push_back({280, 200 + 20 * p, std::to_string(p) + ".", true});
    texts.push_back({380, 200 + 20 * p, "0 pts.", true});
    texts.push_back({420, 200 + 20 * p, "\"\"", false});
  }
  const Picture expected = OnBlack([&] {
    BeginDraw(BackBufferTarget());
    SetDrawFlags(kDrawTransparentText);
    SetDrawColor(255, 255, 255);
    for (const PlacedText& placed : texts) {
      const char* text = placed.text.c_str();
      SetTextPosition(placed.endsAtX ? placed.x - MeasureText(text) : placed.x, placed.y);
      WriteText(text);
    }
    FillRect(240, 210, 320, 1, 0xFFFFFF);  // the rule, x 240 to 559
    EndDraw();
  });
  EXPECT_EQ(DifferingPixels(page, expected, kWidth), 0)
      << "title, headings, rule and rows at their places; numbers end at 280 and 380 (the full stops "
         "and last digits line up), a minus sign kept, spaces kept inside the quotes";
}

}  // namespace
