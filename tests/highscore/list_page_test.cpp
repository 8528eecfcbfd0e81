// Tests of the highscore list page: its rows right-aligned, in white, with the table's contents.
#include "highscore/list_page.h"

#include <gtest/gtest.h>

#include <algorithm>
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

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// The lit (non-black) pixels of a rectangle, drawn over a black screen.
struct Ink {
  int left = kWidth;  // leftmost lit column; kWidth when nothing is lit
  int right = -1;     // rightmost lit column; -1 when nothing is lit
  int count = 0;
  int coloured = 0;  // lit pixels that are not grey or white
};

class ListPage : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    ShutdownMultimedia();
    ASSERT_NE(InitDisplay(), 0);
    ASSERT_NE(OpenDisplay(kWidth, kHeight, 32, "Space"), 0);
    SetFrameRate(0);
    InitHighscores(10, "kvshs.dat");  // empty places; no file is touched
  }
  void TearDown() override { ShutdownMultimedia(); }

  // The list drawn over a black back buffer.
  void Draw() {
    ASSERT_NE(NewSprite(100, kWidth, kHeight, kSpritePlain), 0);
    BlitSprite(100, 0, 0);
    DrawHighscoreList();
    pixels_.assign(kWidth * kHeight, 0);
    ASSERT_TRUE(ReadBackBuffer(pixels_.data()));
  }

  Ink InkIn(int left, int top, int right, int bottom) const {
    Ink ink;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        const unsigned int pixel = pixels_[y * kWidth + x];
        if (pixel == 0) continue;
        ink.left = std::min(ink.left, x);
        ink.right = std::max(ink.right, x);
        ++ink.count;
        const unsigned int r = pixel >> 16 & 0xFF, g = pixel >> 8 & 0xFF, b = pixel & 0xFF;
        ink.coloured += !(r == g && g == b);
      }
    }
    return ink;
  }

  // The text of position p's row, in one of its columns: the position ends at 280, the score at
  // 380, the name starts at 420.
  Ink PositionInk(int p) const { return InkIn(200, 200 + 20 * p, 295, 216 + 20 * p); }
  Ink ScoreInk(int p) const { return InkIn(295, 200 + 20 * p, 400, 216 + 20 * p); }
  Ink NameInk(int p) const { return InkIn(400, 200 + 20 * p, kWidth, 216 + 20 * p); }

  std::vector<unsigned int> pixels_;
};

TEST_F(ListPage, PositionsAndScoresEndInOneColumn) {
  InsertHighscore("a", 12345);
  InsertHighscore("b", 5000);
  InsertHighscore("c", 7);
  Draw();
  const Ink first = PositionInk(1);
  ASSERT_GT(first.count, 0);
  EXPECT_LT(first.right, 280) << "the text ends at x 280";
  EXPECT_GT(first.right, 270);
  for (int p = 2; p <= 10; ++p) {
    EXPECT_EQ(PositionInk(p).right, first.right) << "the full stops of 1. and " << p << ". line up";
    EXPECT_EQ(ScoreInk(p).right, ScoreInk(1).right) << "the scores end in one column, row " << p;
  }
  EXPECT_LT(PositionInk(10).left, first.left) << "10. is wider and reaches further left";
  EXPECT_LT(ScoreInk(1).left, ScoreInk(3).left) << "12345 pts. is wider than 7 pts.";
  EXPECT_LT(ScoreInk(1).right, 380) << "the scores end at x 380";
}

TEST_F(ListPage, ANegativeScoreFromAFileKeepsItsMinusSign) {
  // Only a file made elsewhere holds a negative score: the table itself never ranks one in.
  const std::string name = "list_page_test_kvshs.dat";
  const std::vector<HighscoreEntry> entries = {{"plus", 7}, {"minus", -7}};
  {
    std::ofstream file(ProgramFolder() + name, std::ios::binary);
    file << SerializeHighscores(entries);
  }
  InitHighscores(10, name.c_str());
  const int loaded = LoadHighscores();
  std::remove((ProgramFolder() + name).c_str());
  ASSERT_EQ(loaded, 1);
  ASSERT_EQ(HighscoreScore(2), -7);
  Draw();
  EXPECT_LT(ScoreInk(2).left, ScoreInk(1).left) << "-7 pts. is drawn wider than 7 pts.";
  EXPECT_EQ(ScoreInk(2).right, ScoreInk(1).right) << "both end at x 380";
}

TEST_F(ListPage, EverythingIsWhiteWithTitleHeadingsAndRule) {
  InsertHighscore("Name mit Leerzeichen   ", 990);
  Draw();
  const Ink all = InkIn(0, 0, kWidth, kHeight);
  EXPECT_EQ(all.coloured, 0) << "all text and the rule are white";
  EXPECT_GE(all.left, 230);
  EXPECT_LE(all.right, 700);

  const Ink title = InkIn(0, 150, kWidth, 170);
  EXPECT_GE(title.left, 320) << "the title starts at x 320";
  EXPECT_LT(title.left, 325);
  const Ink headings = InkIn(0, 190, kWidth, 206);
  EXPECT_GE(headings.left, 250) << "the headings start with Pos. at x 250";
  EXPECT_LT(headings.left, 255);

  EXPECT_EQ(pixels_[210 * kWidth + 240], 0xFFFFFFu) << "the rule starts at (240, 210)";
  EXPECT_EQ(pixels_[210 * kWidth + 559], 0xFFFFFFu) << "and reaches x 559";
  EXPECT_EQ(pixels_[210 * kWidth + 560], 0u) << "without its end point";
  EXPECT_EQ(pixels_[211 * kWidth + 400], 0u) << "one pixel thick";

  // The name row with trailing spaces is wider than the text alone; an empty name shows "".
  const Ink spaced = NameInk(1);
  EXPECT_GE(spaced.left, 420) << "names start at x 420";
  EXPECT_LT(spaced.left, 424);
  const Ink empty = NameInk(2);
  EXPECT_GT(empty.count, 0) << "an empty name still shows its two quotes";
  EXPECT_LT(empty.right - empty.left, 20) << "and nothing between them";
}

}  // namespace
