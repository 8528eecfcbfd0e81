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

BuiltinImage BriefingPageImage() {
  return Image_briefing();
}
BuiltinImage TitleLogoImage() {
  return Image_logo();
}

BuiltinImage ButtonImage(int slot) {
  switch (slot) {
    case 30: return Image_button_starten();
    case 31: return Image_button_mission();
    case 32: return Image_button_beenden();
    case 33: return Image_button_fertig();
    case 34: return Image_button_bestenliste();
    default: return {nullptr, 0};
  }
}

BuiltinImage ShipImage(int type) {
  switch (type) {
    case 1: return Image_ship1();
    case 2: return Image_ship2();
    case 3: return Image_ship3();
    default: return {nullptr, 0};
  }
}
