// The generator of every picture and sound of the game, as a library for the program and its tests.
#pragma once

#include <string>
#include <vector>

#include "tools/artgen/encode.h"

struct ArtFile {
  std::string path;  // relative to the build folder, e.g. "img/bg1.jpg" or "builtin/logo.bmp"
  Bytes bytes;       // the complete file
};

constexpr int kIconSizes[] = {48, 128, 256};  // pixels; "icons/<n>x<n>/space.png"

// Every file, in a fixed order; the same bytes on every run.
std::vector<ArtFile> GenerateArt();

// Writes the files under `folder`, creating "img" and "builtin" as needed. On failure returns
// false and describes the problem in `error`.
bool WriteArt(const std::vector<ArtFile>& files, const std::string& folder, std::string& error);
