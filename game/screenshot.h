// F10: the back buffer saved as "scrnsht_" + ddmmyyyyhhiiss + ".bmp" in the working directory.
#pragma once

#include <string>

#include "base/date_format.h"

void TakeScreenshot();
std::string ScreenshotName(const DateTime& date);
