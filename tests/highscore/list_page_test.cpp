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
#include "media/display.h"
#include "media/draw.h"
#include "media/render_context.h"
#include "media/sprites.h"
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

// Writes `text` at (x, y), or, with `right` set, ending at x (drawn at x minus its width).
void WriteAt(int x, int y, const std::string& text, bool right = false) {
  SetTextPosition(right ? x - MeasureText(text.c_str()) : x, y);
  WriteText(text.c_str());
}

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
  const int loaded = LoadHighscores();
  std::remove((ProgramFolder() + name).c_str());
  ASSERT_EQ(loaded, 1);
  ASSERT_EQ(HighscoreScore(4), -7);

  const Picture page = OnBlack(DrawHighscoreList);
  // Written out row by row: white text, positions right-aligned to end at 280, scores at 380,
  // names in double quotes from 420; rows 20 apart from y 220; places 5 to 10 empty.
  const std::vector<std::string> scores = {"12345 pts.", "5000 pts.", "7 pts.", "-7 pts."};
  const std::vector<std::string> names = {"\"Name mit Leerzeichen   \"", "\"b\"", "\"\"", "\"minus\""};
  const Picture expected = OnBlack([&] {
    BeginDraw(BackBufferTarget());
    SetDrawFlags(kDrawTransparentText);
    SetDrawColor(255, 255, 255);
    WriteAt(320, 150, "--- B E S T E N L I S T E ---");
    WriteAt(250, 190, "Pos.");
    WriteAt(320, 190, "Punktzahl");
    WriteAt(420, 190, "Name");
    FillRect(240, 210, 320, 1, 0xFFFFFF);  // the rule, x 240 to 559
    for (int p = 1; p <= 10; ++p) {
      const int y = 200 + 20 * p;
      WriteAt(280, y, std::to_string(p) + ".", true);
      WriteAt(380, y, p <= 4 ? scores[p - 1] : "0 pts.", true);
      WriteAt(420, y, p <= 4 ? names[p - 1] : "\"\"");
    }
    EndDraw();
  });
  EXPECT_EQ(DifferingPixels(page, expected, kWidth), 0)
      << "title, headings, rule and rows at their places; numbers end at 280 and 380 (the full stops "
         "and last digits line up), a minus sign kept, spaces kept inside the quotes";
}

}  // namespace
