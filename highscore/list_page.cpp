// The text of the highscore list page: title, headings, rule and the ten rows of the table.
#include "highscore/list_page.h"

#include <string>

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
  WriteAt(320, 150, "--- B E S T E N L I S T E ---");
  WriteAt(250, 190, "Pos.");
  WriteAt(320, 190, "Punktzahl");
  WriteAt(420, 190, "Name");
  DrawLineRel(240, 210, 320, 0);
  for (int position = 1; position <= 10; ++position) {
    const int y = 200 + 20 * position;
    WriteRightAligned(280, y, std::to_string(position) + ".");
    WriteRightAligned(380, y, std::to_string(HighscoreScore(position)) + " pts.");
    // Appended, not '"' + name + '"': GCC 12 warns falsely (-Wrestrict) about that at -O2.
    std::string quoted = HighscoreName(position);
    quoted.insert(0, 1, '"');
    quoted += '"';
    WriteAt(420, y, quoted);
  }
  EndDraw();
}
