// The pictures that are part of the program itself: ten complete 24-bit BMP file images, and the
// window's icon.
#pragma once

#include <cstddef>

struct BuiltinImage {
  const unsigned char* bytes;  // a whole file; the BMP pictures start with the 14-byte "BM" file header
  std::size_t size;            // bytes in the whole file image
};

BuiltinImage BriefingPageImage();  // 800 x 600, sprite 4
BuiltinImage TitleLogoImage();     // 432 x 72, sprite 6
// The buttons, by their German label.
enum class ButtonPicture { kStarten, kMission, kBeenden, kFertig, kBestenliste };
BuiltinImage ButtonImage(ButtonPicture button);  // 200 x 50 each
BuiltinImage ShipImage(int type);  // 256 x 256 each, alien types 1 to 3; empty for any other type
// The game's icon as the desktop shows it, 48 x 48 with transparency: a PNG file image, the one
// installed for the 48 x 48 icon size.
BuiltinImage GameIconImage();
