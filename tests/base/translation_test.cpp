// Tests of the lookup of the game's texts in the catalogue in play.
#include "base/translation.h"

#include <gtest/gtest.h>

namespace {

class Translation : public ::testing::Test {
 protected:
  void TearDown() override { UseCatalogue({}); }
};

TEST_F(Translation, GermanIsTheKeyItselfAndAnotherLanguageItsTranslation) {
  EXPECT_EQ(Translated("Starten"), "Starten") << "German in play: the text as written";
  EXPECT_EQ(Tr("zerstört"), "zerst\xF6rt") << "drawn as the font's byte 0xF6";
  EXPECT_TRUE(UntranslatedTexts().empty()) << "German lacks nothing";

  UseCatalogue({{"Starten", "Start"}, {"zerstört", "Łódź"}});
  EXPECT_EQ(Translated("Starten"), "Start");
  EXPECT_EQ(Tr("zerstört"),
            "?\xF3"
            "d?")
      << "what the font cannot draw is a '?'";
  EXPECT_EQ(Translated("Fertig"), "Fertig") << "a text the catalogue lacks stays German";
  Translated("Fertig");
  Translated("Beenden");
  EXPECT_EQ(UntranslatedTexts(), (std::vector<std::string>{"Fertig", "Beenden"})) << "each once, in order";
  UseCatalogue({});
  EXPECT_TRUE(UntranslatedTexts().empty()) << "a new catalogue starts afresh";
}

TEST_F(Translation, NumbersGoWhereTheTextInPlayPutsThem) {
  UseCatalogue({{"Punktzahl:  %d  !!!", "%d points, 100%% yours"}});
  EXPECT_EQ(Tr("Punktzahl:  %d  !!!", -56), "-56 points, 100% yours");
  EXPECT_EQ(GermanText("Punktzahl:  %d  !!!", 1234), "Punktzahl:  1234  !!!")
      << "the German line for its place";
  EXPECT_EQ(Tr("Ende %", 3), "Ende %") << "a lone '%' at the end stays";
  EXPECT_EQ(Tr("%s %i", 3), "%s %i") << "no other conversion is made";
}

}  // namespace
