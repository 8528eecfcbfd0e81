// F10: the back buffer saved as "scrnsht_" + ddmmyyyyhhiiss + ".bmp" in the working directory;
// later screenshots of the same second as "...-2.bmp", "...-3.bmp", never over another file.
#pragma once

#include <string>

#include "base/date_format.h"

void TakeScreenshot();
// Writes the last screenshot taken (the work sprite) under the first free name of `date`'s second.
// A screenshot that cannot be written leaves no file; each cause is told once per run on stderr.
void SaveScreenshot(const DateTime& date);
// The name of the copy-th screenshot of that second: 1 has no counter, 2 and on have "-copy".
std::string ScreenshotName(const DateTime& date, int copy = 1);
