// Tests of the reader of compiled gettext catalogues: what it takes from a file, and which files it
// refuses without reading outside them.
#include "formats/mo_catalogue.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "formats/byte_order.h"
#include "tests/formats/mo_image.h"

namespace {

using Translations = std::unordered_map<std::string, std::string>;
using namespace std::string_literals;

bool Parse(const std::vector<std::uint8_t>& bytes, Translations& out, std::string& error) {
  return ParseMoCatalogue(bytes.data(), bytes.size(), out, error);
}

TEST(MoCatalogue, ReadsEachOriginalWithItsTranslationInEitherByteOrder) {
  const std::vector<std::pair<std::string, std::string>> entries = {
      {"", kUtf8Header},
      {"Starten", "Start"},
      {"Letzte Mission gescheitert!  Schiff  wurde zerstört!", "Last mission failed!"},
      {"%d Schuss\0%d Schüsse"s, "%d shot\0%d shots"s},
      {"Fertig", ""},
  };
  for (const bool bigEndian : {false, true}) {
    SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
    Translations read;
    std::string error;
    ASSERT_TRUE(Parse(MakeMo(entries, bigEndian), read, error)) << error;
    EXPECT_EQ(read.size(), 3u) << "the header and the untranslated entry are left out";
    EXPECT_EQ(read["Starten"], "Start");
    EXPECT_EQ(read["Letzte Mission gescheitert!  Schiff  wurde zerstört!"], "Last mission failed!")
        << "UTF-8 keys as they are";
    EXPECT_EQ(read["%d Schuss"], "%d shot") << "an entry with plural forms: its singular and first form";
    EXPECT_EQ(read.count("Fertig"), 0u) << "an empty translation is none";
  }
}

TEST(MoCatalogue, RefusesWhatIsNoUtf8CatalogueOrLiesOutsideTheFile) {
  Translations read{{"old", "entry"}};
  std::string error;
  EXPECT_FALSE(Parse({}, read, error)) << "no bytes";
  EXPECT_TRUE(read.empty()) << "a refused file leaves nothing behind";
  std::vector<std::uint8_t> image = MakeMo({{"Starten", "Start"}});
  image[0] ^= 1;
  EXPECT_FALSE(Parse(image, read, error)) << "a wrong magic number";
  EXPECT_EQ(error, "not a compiled gettext catalogue");

  image = MakeMo({{"Starten", "Start"}});
  Put32(image.data() + 4, 2u << 16);
  EXPECT_FALSE(Parse(image, read, error)) << "a major revision this reader does not know";
  Put32(image.data() + 4, 1);
  EXPECT_TRUE(Parse(image, read, error)) << "minor revisions only add what the reader may skip";

  EXPECT_FALSE(
      Parse(MakeMo({{"", "Content-Type: text/plain; charset=ISO-8859-1\n"}, {"a", "b"}}), read, error));
  EXPECT_EQ(error, "the catalogue is in iso-8859-1, not UTF-8");
  EXPECT_TRUE(Parse(MakeMo({{"", "Content-Type: text/plain; charset=utf-8\n"}, {"a", "b"}}), read, error))
      << "the charset's name in any case";

  image = MakeMo({{"Starten", "Start"}});
  Put32(image.data() + 8, 0xFFFFFFFFu);
  EXPECT_FALSE(Parse(image, read, error)) << "more entries than the file holds";
  image = MakeMo({{"Starten", "Start"}});
  Put32(image.data() + 16, 0xFFFFFFF8u);
  EXPECT_FALSE(Parse(image, read, error)) << "a table whose end wraps around 32 bits";
  image = MakeMo({{"Starten", "Start"}});
  Put32(image.data() + 28, 0xFFFFFFFFu);
  EXPECT_FALSE(Parse(image, read, error)) << "a string longer than the file";
  EXPECT_EQ(error, "entry 0 lies outside the file");
}

TEST(MoCatalogue, EveryCutOfAValidFileIsReadOrRefusedWithinIt) {
  const std::vector<std::uint8_t> whole =
      MakeMo({{"", kUtf8Header}, {"Starten", "Start"}, {"Fertig", "Done"}});
  for (std::size_t size = 0; size < whole.size(); ++size) {
    // A copy of exactly `size` bytes, so that a read beyond it is a fault the sanitizers see.
    const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
    Translations read;
    std::string error;
    if (ParseMoCatalogue(cut.data(), cut.size(), read, error)) {
      EXPECT_LE(read.size(), 2u) << "cut at " << size;
    } else {
      EXPECT_FALSE(error.empty()) << "a refusal says why, cut at " << size;
    }
  }
}

TEST(MoCatalogue, ReadsTheEnglishCatalogueTheBuildCompiled) {
  std::ifstream in(std::string(SPACE_BUILD_DIR) + "/locale/en/LC_MESSAGES/space.mo", std::ios::binary);
  ASSERT_TRUE(in) << "the build compiles po/en.po";
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  Translations read;
  std::string error;
  ASSERT_TRUE(Parse(bytes, read, error)) << error;
  EXPECT_EQ(read["Starten"], "Start") << "msgfmt's own output";
  EXPECT_EQ(read["Mission erfolgreich!  -  Punktzahl:  %d  !!!"],
            "Mission accomplished!  -  Score:  %d  !!!");
}

}  // namespace
