// The ten pictures that are part of the program itself, each a complete 24-bit BMP file image.
#pragma once

#include <cstddef>

struct BuiltinImage {
  const unsigned char* bytes;  // starts with the 14-byte "BM" file header
  std::size_t size;            // bytes in the whole file image
};

BuiltinImage BriefingPageImage();  // 800 x 600, sprite 4
BuiltinImage TitleLogoImage();     // 432 x 72, sprite 6
// The buttons, by their German label.
enum class ButtonPicture { kStarten, kMission, kBeenden, kFertig, kBestenliste };
BuiltinImage ButtonImage(ButtonPicture button);  // 200 x 50 each
BuiltinImage ShipImage(int type);  // 256 x 256 each, alien types 1 to 3; empty for any other type
