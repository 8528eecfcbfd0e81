// The generator of every picture and sound of the game, as a library for the program and its tests.
#pragma once

#include <string>
#include <vector>

#include "base/translation.h"
#include "tools/artgen/encode.h"

struct ArtFile {
  std::string path;  // relative to the build folder, e.g. "img/bg1.jpg" or "builtin/logo.bmp"
  Bytes bytes;       // the complete file
};

constexpr int kIconSizes[] = {48, 128, 256};  // pixels; "icons/<n>x<n>/space.png"

// A language besides German, whose pictures with words go to "img/<code>/".
struct ArtLanguage {
  std::string code;  // "en"
  Catalogue words;   // its catalogue: the German texts and their translations
};

// Every file, in a fixed order; the same bytes on every run. The pictures with words are drawn in
// German (the built-in ones and "img/pause.bmp") and once more in each of `languages`.
std::vector<ArtFile> GenerateArt(const std::vector<ArtLanguage>& languages = {});

// Writes the files under `folder`, creating "img" and "builtin" as needed. On failure returns
// false and describes the problem in `error`.
bool WriteArt(const std::vector<ArtFile>& files, const std::string& folder, std::string& error);
