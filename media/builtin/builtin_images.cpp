// Access to the built-in pictures that the build compiles in.
#include "media/builtin/builtin_images.h"

#define SPACE_BUILTIN(name)                          \
  extern const unsigned char kBuiltin_##name[];      \
  extern const unsigned long kBuiltin_##name##Size;  \
  static BuiltinImage Image_##name() {               \
    return {kBuiltin_##name, kBuiltin_##name##Size}; \
  }

SPACE_BUILTIN(briefing)
SPACE_BUILTIN(logo)
SPACE_BUILTIN(button_starten)
SPACE_BUILTIN(button_mission)
SPACE_BUILTIN(button_beenden)
SPACE_BUILTIN(button_fertig)
SPACE_BUILTIN(button_bestenliste)
SPACE_BUILTIN(ship1)
SPACE_BUILTIN(ship2)
SPACE_BUILTIN(ship3)
SPACE_BUILTIN(icon)

BuiltinImage BriefingPageImage() {
  return Image_briefing();
}
BuiltinImage TitleLogoImage() {
  return Image_logo();
}

BuiltinImage ButtonImage(ButtonPicture button) {
  switch (button) {
    case ButtonPicture::kStarten: return Image_button_starten();
    case ButtonPicture::kMission: return Image_button_mission();
    case ButtonPicture::kBeenden: return Image_button_beenden();
    case ButtonPicture::kFertig: return Image_button_fertig();
    case ButtonPicture::kBestenliste: return Image_button_bestenliste();
  }
  return {nullptr, 0};
}

BuiltinImage ShipImage(int type) {
  switch (type) {
    case 1: return Image_ship1();
    case 2: return Image_ship2();
    case 3: return Image_ship3();
    default: return {nullptr, 0};
  }
}

BuiltinImage GameIconImage() {
  return Image_icon();
}
