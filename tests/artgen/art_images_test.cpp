// Tests of the generated pictures: their files, their headers, and how the game's loaders take them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/translation.h"
#include "formats/byte_order.h"
#include "formats/mo_catalogue.h"
#include "media/sprite_table.h"
#include "media/sprites.h"
#include "platform/display.h"
#include "platform/multimedia.h"
#include "tests/artgen/generated_art.h"
#include "tools/artgen/pictures.h"

namespace {

const std::string kBuildDir = SPACE_BUILD_DIR;

struct ImageFile {
  const char* path;
  int width;
  int height;
  int mode;
};

// Every picture the game loads from a file, at the size its drawing positions call for.
const ImageFile kImageFiles[] = {
    {"img/bg1.jpg", 440, 340, kSpritePlain},    {"img/bg2.jpg", 440, 340, kSpritePlain},
    {"img/bg3.jpg", 440, 340, kSpritePlain},    {"img/bg4.jpg", 440, 340, kSpritePlain},
    {"img/x.bmp", 32, 32, kSpriteTexture},      {"img/view1.jpg", 800, 40, kSpritePlain},
    {"img/view2.bmp", 330, 188, kSpritePlain},  {"img/view3.jpg", 800, 63, kSpritePlain},
    {"img/rock.bmp", 64, 64, kSpriteTexture},   {"img/crsr.bmp", 16, 24, kSpritePlain},
    {"img/expl.bmp", 64, 64, kSpriteTexture},   {"img/shot_1.bmp", 64, 64, kSpriteTexture},
    {"img/shot_2.bmp", 64, 64, kSpriteTexture}, {"img/shot_3.bmp", 64, 64, kSpriteTexture},
    {"img/shot_4.bmp", 64, 64, kSpriteTexture}, {"img/dspl.jpg", 14, 20, kSpriteTexture},
    {"img/pause.bmp", 400, 64, kSpritePlain},
};

// The pictures compiled into the program.
const ImageFile kBuiltinImages[] = {
    {"builtin/briefing.bmp", 800, 600, kSpritePlain},
    {"builtin/logo.bmp", 432, 72, kSpritePlain},
    {"builtin/button_starten.bmp", 200, 50, kSpritePlain},
    {"builtin/button_mission.bmp", 200, 50, kSpritePlain},
    {"builtin/button_beenden.bmp", 200, 50, kSpritePlain},
    {"builtin/button_fertig.bmp", 200, 50, kSpritePlain},
    {"builtin/button_bestenliste.bmp", 200, 50, kSpritePlain},
    {"builtin/ship1.bmp", 256, 256, kSpriteTexture},
    {"builtin/ship2.bmp", 256, 256, kSpriteTexture},
    {"builtin/ship3.bmp", 256, 256, kSpriteTexture},
};

class ArtImages : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ShutdownMultimedia();
    ASSERT_NE(InitDisplay(), 0);
    ASSERT_NE(OpenDisplay(800, 600, 32, "t"), 0);
    EnableJpegLoading();
  }
  static void TearDownTestSuite() { ShutdownMultimedia(); }

  void TearDown() override {
    for (int n = 0; n < 50; ++n) FreeSprite(n);
  }

  // Loads a generated picture from memory into sprite n; nullptr if the loader refuses it.
  static const Sprite* Load(int n, const char* path, int mode = kSpritePlain) {
    const Bytes& bytes = ArtBytes(path);
    if (LoadSpriteMemory(n, bytes.data(), bytes.size(), mode) == 0) return nullptr;
    return SpriteSlot(n);
  }

  static std::uint32_t Pixel(const Sprite& s, int x, int y) {
    return s.pixels[static_cast<std::size_t>(y) * s.width + x];
  }
};

TEST_F(ArtImages, GameLoadersTakeEveryFileAtItsSize) {
  int n = 1;
  for (const ImageFile& image : kImageFiles) {
    std::string path = kBuildDir + "/" + image.path;
    ASSERT_NE(LoadSpriteFile(n, path.c_str(), image.mode), 0) << image.path << " must load from its file";
    EXPECT_EQ(SpriteWidth(n), image.width) << image.path;
    EXPECT_EQ(SpriteHeight(n), image.height) << image.path;
    ++n;
  }
  for (const ImageFile& image : kBuiltinImages) {
    ASSERT_NE(Load(n, image.path, image.mode), nullptr) << image.path << " must load from memory";
    EXPECT_EQ(SpriteWidth(n), image.width) << image.path;
    EXPECT_EQ(SpriteHeight(n), image.height) << image.path;
    ++n;
  }
}

TEST_F(ArtImages, BuiltinImagesHaveTheExactBmpLayout) {
  for (const ImageFile& image : kBuiltinImages) {
    const Bytes& b = ArtBytes(image.path);
    SCOPED_TRACE(image.path);
    ASSERT_GE(b.size(), 54u);
    const std::size_t rows = static_cast<std::size_t>(image.width) * 3 * image.height;
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(Read32(b.data() + 2), b.size()) << "file size field";
    EXPECT_EQ(Read32(b.data() + 6), 0u) << "reserved fields";
    EXPECT_EQ(Read32(b.data() + 10), 54u) << "rows follow the two headers, no colour table";
    EXPECT_EQ(Read32(b.data() + 14), 40u) << "40-byte information header";
    EXPECT_EQ(static_cast<int>(Read32(b.data() + 18)), image.width);
    EXPECT_EQ(static_cast<int>(Read32(b.data() + 22)), image.height) << "positive height: rows bottom-up";
    EXPECT_EQ(Read16(b.data() + 26), 1) << "one plane";
    EXPECT_EQ(Read16(b.data() + 28), 24) << "24 bits per pixel";
    EXPECT_EQ(Read32(b.data() + 30), 0u) << "uncompressed";
    EXPECT_EQ(Read32(b.data() + 38), 2834u) << "2834 pixels per metre across";
    EXPECT_EQ(Read32(b.data() + 42), 2834u) << "2834 pixels per metre down";
    EXPECT_EQ(Read32(b.data() + 46), 0u) << "no colour table";
    EXPECT_EQ(image.width * 3 % 4, 0) << "rows need no padding";
    EXPECT_EQ(b.size(), 54 + rows) << "exactly the headers and the rows";
  }
}

TEST_F(ArtImages, BmpRowsAreStoredBottomUp) {
  // The pointer's tip is its top-left pixel, so the first stored row (the bottom one) starts black.
  const Sprite* pointer = Load(1, "img/crsr.bmp");
  ASSERT_NE(pointer, nullptr);
  EXPECT_NE(Pixel(*pointer, 0, 0), 0u) << "the pointer's tip is a visible pixel at (0, 0)";
  EXPECT_EQ(Pixel(*pointer, 0, pointer->height - 1), 0u) << "below the arrow the pointer is transparent";
}

TEST_F(ArtImages, QuadPicturesFadeToBlackAtTheirEdges) {
  // Quads are squares: anything but black at the border would show the square's edge.
  for (const char* path :
       {"img/x.bmp", "img/rock.bmp", "img/expl.bmp", "img/shot_1.bmp", "img/shot_2.bmp", "img/shot_3.bmp",
        "img/shot_4.bmp", "builtin/ship1.bmp", "builtin/ship2.bmp", "builtin/ship3.bmp"}) {
    const Sprite* s = Load(1, path, kSpriteTexture);
    ASSERT_NE(s, nullptr) << path;
    for (int i = 0; i < s->width; ++i) {
      EXPECT_EQ(Pixel(*s, i, 0), 0u) << path << ": top row must be transparent at x " << i;
      EXPECT_EQ(Pixel(*s, i, s->height - 1), 0u) << path << ": bottom row must be transparent at x " << i;
    }
    for (int i = 0; i < s->height; ++i) {
      EXPECT_EQ(Pixel(*s, 0, i), 0u) << path << ": left column must be transparent at y " << i;
      EXPECT_EQ(Pixel(*s, s->width - 1, i), 0u) << path << ": right column must be transparent at y " << i;
    }
  }
}

TEST_F(ArtImages, KeyedPicturesHaveNoPinholes) {
  // Black is transparent: a small black patch enclosed by coloured pixels would let space show
  // through a surface. Openings meant to be seen (between struts, inside letters) are larger.
  const int kLargestPinhole = 16;
  for (const char* path :
       {"img/view2.bmp", "img/rock.bmp", "img/crsr.bmp", "builtin/logo.bmp", "builtin/button_starten.bmp",
        "builtin/button_bestenliste.bmp", "builtin/ship1.bmp", "builtin/ship2.bmp", "builtin/ship3.bmp"}) {
    const Sprite* s = Load(1, path);
    ASSERT_NE(s, nullptr) << path;
    // Label the black areas; those that touch the border are the picture's surroundings.
    std::vector<int> area(s->pixels.size(), -1);
    int pinholes = 0;
    for (std::size_t start = 0; start < area.size(); ++start) {
      if (s->pixels[start] != 0 || area[start] >= 0) continue;
      std::vector<std::size_t> todo = {start};
      area[start] = 0;
      int size = 0;
      bool open = false;
      while (!todo.empty()) {
        std::size_t i = todo.back();
        todo.pop_back();
        ++size;
        int x = static_cast<int>(i % s->width);
        int y = static_cast<int>(i / s->width);
        open = open || x == 0 || y == 0 || x == s->width - 1 || y == s->height - 1;
        const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& step : steps) {
          int nx = x + step[0];
          int ny = y + step[1];
          if (nx < 0 || ny < 0 || nx >= s->width || ny >= s->height) continue;
          std::size_t j = static_cast<std::size_t>(ny) * s->width + nx;
          if (s->pixels[j] == 0 && area[j] < 0) {
            area[j] = 0;
            todo.push_back(j);
          }
        }
      }
      if (!open && size <= kLargestPinhole) ++pinholes;
    }
    EXPECT_EQ(pinholes, 0) << path << " must not be black inside its surfaces";
  }
}

TEST_F(ArtImages, ShipsFillTheirHitBoxes) {
  // The picture is stretched to the hit box, so the ship must reach near all four edges.
  for (const char* path : {"builtin/ship1.bmp", "builtin/ship2.bmp", "builtin/ship3.bmp"}) {
    const Sprite* s = Load(1, path, kSpriteTexture);
    ASSERT_NE(s, nullptr) << path;
    int left = s->width, right = -1, top = s->height, bottom = -1;
    for (int y = 0; y < s->height; ++y) {
      for (int x = 0; x < s->width; ++x) {
        if (Pixel(*s, x, y) == 0) continue;
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
    EXPECT_GT(right - left, s->width * 9 / 10) << path << " must span most of its hit box's width";
    EXPECT_GT(bottom - top, s->height * 6 / 10) << path << " must span most of its hit box's height";
  }
}

TEST_F(ArtImages, CrosshairIsCentredOnPixelSixteen) {
  // The game draws it 16 pixels left of and above the aim point.
  const Sprite* s = Load(1, "img/x.bmp", kSpriteTexture);
  ASSERT_NE(s, nullptr);
  for (int d = 1; d < 16; ++d) {
    EXPECT_EQ(Pixel(*s, 16 - d, 16), Pixel(*s, 16 + d, 16)) << "row 16 symmetric about x 16, offset " << d;
    EXPECT_EQ(Pixel(*s, 16, 16 - d), Pixel(*s, 16, 16 + d)) << "column 16 symmetric about y 16, offset " << d;
  }
  EXPECT_NE(Pixel(*s, 16, 16), 0u) << "the aim point itself is marked";
}

TEST_F(ArtImages, BackgroundQuartersJoinWithoutASeam) {
  const Sprite* quarters[4];
  for (int i = 0; i < 4; ++i) {
    std::string path = "img/bg" + std::to_string(i + 1) + ".jpg";
    quarters[i] = Load(50 + i, path.c_str());
    ASSERT_NE(quarters[i], nullptr) << path;
  }
  auto difference = [](std::uint32_t a, std::uint32_t b) {
    int sum = 0;
    for (int shift = 0; shift < 24; shift += 8)
      sum += std::abs(static_cast<int>((a >> shift & 0xFF) - (b >> shift & 0xFF)));
    return sum;
  };
  // Across each cut the change between neighbouring pixels must be like that within a quarter.
  long across = 0, within = 0;
  for (int y = 0; y < 340; ++y) {
    for (int top = 0; top < 4; top += 2) {
      const Sprite& left = *quarters[top];
      const Sprite& right = *quarters[top + 1];
      across += difference(Pixel(left, 439, y), Pixel(right, 0, y));
      within += difference(Pixel(left, 438, y), Pixel(left, 439, y));
    }
  }
  EXPECT_LT(across, 2 * within + 340 * 8) << "left and right quarters continue each other";
  across = within = 0;
  for (int x = 0; x < 440; ++x) {
    for (int left = 0; left < 2; ++left) {
      const Sprite& upper = *quarters[left];
      const Sprite& lower = *quarters[left + 2];
      across += difference(Pixel(upper, x, 339), Pixel(lower, x, 0));
      within += difference(Pixel(upper, x, 338), Pixel(upper, x, 339));
    }
  }
  EXPECT_LT(across, 2 * within + 440 * 8) << "upper and lower quarters continue each other";
}

TEST_F(ArtImages, GaugePanelLeavesTheGaugesBacked) {
  // The bars are drawn additively from x 500 (panel x 30) in steps of 12, rows 50, 100 and 150; the
  // panel gives them a dark backing instead of letting space show through.
  const Sprite* panel = Load(1, "img/view2.bmp");
  ASSERT_NE(panel, nullptr);
  for (int row : {50, 100, 150}) {
    for (int k = 0; k <= 20; ++k) {
      for (int corner = 0; corner < 4; ++corner) {
        int x = 30 + 12 * k + (corner % 2) * 13;
        int y = row + (corner / 2) * 19;
        EXPECT_NE(Pixel(*panel, x, y), 0u) << "segment " << k << " of row " << row << " has a backing";
      }
    }
  }
}

TEST_F(ArtImages, LoadedPixelsAreTheDrawnPictures) {
  // BMP files arrive exactly as drawn (row order, padding, channel order); JPEGs closely.
  struct Drawn {
    const char* path;
    Canvas canvas;
  };
  const Drawn drawn[] = {
      {"img/view2.bmp", MakeGaugePanel()},
      {"img/crsr.bmp", MakePointer()},
      {"img/shot_3.bmp", MakeShot(3)},
      {"builtin/ship2.bmp", MakeShip(2)},
      {"img/view3.jpg", MakeConsole()},
      {"img/dspl.jpg", MakeGaugeSegment()},
      {"builtin/button_fertig.bmp", MakeButton("Fertig")},
  };
  for (const Drawn& d : drawn) {
    const Sprite* s = Load(1, d.path);
    ASSERT_NE(s, nullptr) << d.path;
    ASSERT_EQ(s->width, d.canvas.width) << d.path;
    ASSERT_EQ(s->height, d.canvas.height) << d.path;
    const bool exact = std::string(d.path).ends_with(".bmp");
    long error = 0;
    for (int y = 0; y < s->height; ++y) {
      for (int x = 0; x < s->width; ++x) {
        const Rgb& p = d.canvas.At(x, y);
        std::uint32_t want = static_cast<std::uint32_t>(ToByte(p.r)) << 16 |
                             static_cast<std::uint32_t>(ToByte(p.g)) << 8 | ToByte(p.b);
        std::uint32_t got = Pixel(*s, x, y);
        if (exact) {
          ASSERT_EQ(got, want) << d.path << " at (" << x << ", " << y << ")";
        } else {
          for (int shift = 0; shift < 24; shift += 8) {
            error += std::abs(static_cast<int>((got >> shift & 0xFF) - (want >> shift & 0xFF)));
          }
        }
      }
    }
    if (!exact) {
      EXPECT_LT(error, 3L * 3 * s->width * s->height) << d.path << " decodes close to the drawing";
    }
  }
}

TEST(ArtGenerator, RunsGiveIdenticalFiles) {
  // The build ran the generator as a program with the English catalogue; running it again here must
  // give the same bytes.
  const Bytes& catalogue = ArtBytes("locale/en/LC_MESSAGES/space.mo");
  ArtLanguage english{"en", {}};
  std::string error;
  ASSERT_TRUE(ParseMoCatalogue(catalogue.data(), catalogue.size(), english.words, error)) << error;
  const std::vector<ArtFile> files = GenerateArt({english});
  for (const ArtFile& file : files) {
    EXPECT_TRUE(file.bytes == ArtBytes(file.path)) << file.path << " must not differ between runs";
  }
  EXPECT_EQ(UntranslatedTexts().size(), 0u) << "every word of the pictures is in the English catalogue";
}

TEST(ArtGenerator, EachPictureWithWordsComesInEnglishAtItsGermanSize) {
  const std::pair<const char*, const char*> pictures[] = {
      {"builtin/briefing.bmp", "img/en/briefing.bmp"},
      {"builtin/button_starten.bmp", "img/en/button_starten.bmp"},
      {"builtin/button_mission.bmp", "img/en/button_mission.bmp"},
      {"builtin/button_beenden.bmp", "img/en/button_beenden.bmp"},
      {"builtin/button_fertig.bmp", "img/en/button_fertig.bmp"},
      {"builtin/button_bestenliste.bmp", "img/en/button_bestenliste.bmp"},
      {"img/pause.bmp", "img/en/pause.bmp"},
      {"img/view2.bmp", "img/en/view2.bmp"},
  };
  for (const auto& [german, english] : pictures) {
    const Bytes& de = ArtBytes(german);
    const Bytes& en = ArtBytes(english);
    ASSERT_GE(de.size(), 26u) << german;
    ASSERT_EQ(en.size(), de.size()) << english << " has the size and layout of " << german;
    EXPECT_TRUE(std::equal(de.begin(), de.begin() + 26, en.begin())) << english << ": the same header";
    EXPECT_FALSE(de == en) << english << " shows other words than " << german;
  }
}

}  // namespace
