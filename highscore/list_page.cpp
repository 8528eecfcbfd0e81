// The text of the highscore list page: title, headings, rule and the ten rows of the table.
#include "highscore/list_page.h"

#include <string>

#include "base/translation.h"
#include "highscore/highscore_table.h"
#include "media/draw.h"

namespace {

void WriteAt(int x, int y, const std::string& text) {
  SetTextPosition(x, y);
  WriteText(text.c_str());
}

// Ends the text at `right` (exclusive), measured in the font it is drawn in.
void WriteRightAligned(int right, int y, const std::string& text) {
  WriteAt(right - MeasureText(text.c_str()), y, text);
}

}  // namespace

void DrawHighscoreList() {
  BeginDraw(BackBufferTarget());
  SetDrawFlags(kDrawTransparentText);
  SetDrawColor(255, 255, 255);
  // TRANSLATORS: the title of the list page, its letters spaced out.
  constexpr const char* kTitle = TrKey("--- B E S T E N L I S T E ---");
  const std::string title = Tr(kTitle);
  WriteAt(CentredOn(GermanText(kTitle).c_str(), 320, title.c_str()), 150, title);
  // TRANSLATORS: the headings of the list's columns: the place, the points and the pilot's name.
  WriteAt(250, 190, Tr("Pos."));
  WriteAt(320, 190, Tr("Punktzahl"));
  WriteAt(420, 190, Tr("Name"));
  DrawLineRel(240, 210, 320, 0);
  for (int position = 1; position <= 10; ++position) {
    const int y = 200 + 20 * position;
    WriteRightAligned(280, y, std::to_string(position) + ".");
    // TRANSLATORS: a score in the list, right-aligned under its heading.
    WriteRightAligned(380, y, Tr("%d pts.", HighscoreScore(position)));
    // Appended, not '"' + name + '"': GCC 12 warns falsely (-Wrestrict) about that at -O2.
    std::string quoted = HighscoreName(position);
    quoted.insert(0, 1, '"');
    quoted += '"';
    WriteAt(420, y, quoted);
  }
  EndDraw();
}
