// The generator of every picture and sound of the game, as a library for the program and its tests.
#include "tools/artgen/artgen.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "tools/artgen/pictures.h"
#include "tools/artgen/png.h"
#include "tools/artgen/sounds.h"

namespace {

// One quarter of the background: 0 top left, 1 top right, 2 bottom left, 3 bottom right.
Canvas Quarter(const Canvas& space, int index) {
  Canvas out(440, 340);
  int x0 = (index % 2) * 440;
  int y0 = (index / 2) * 340;
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) out.At(x, y) = space.At(x0 + x, y0 + y);
  }
  return out;
}

Bytes Wav(const Sound& sound) {
  return EncodeWav(sound.samples, sound.channels, kSampleRate);
}

constexpr int kJpegQuality = 90;

// The pictures with words in the language of the catalogue in play: the briefing page and the
// buttons at `builtin` + "briefing.bmp" and `builtin` + "button_<name>.bmp", the pause's title and
// the gauge panel at `img` + "pause.bmp" and `img` + "view2.bmp".
void AddWordPictures(std::vector<ArtFile>& files, const std::string& builtin, const std::string& img) {
  files.push_back({builtin + "briefing.bmp", EncodeBmp(MakeBriefingPage())});
  // TRANSLATORS: the buttons are 200 x 50 pixels in large lettering: keep each word short.
  const std::pair<const char*, std::string> buttons[] = {{"starten", Translated("Starten")},
                                                         {"mission", Translated("Mission")},
                                                         {"beenden", Translated("Beenden")},
                                                         {"fertig", Translated("Fertig")},
                                                         {"bestenliste", Translated("Bestenliste")}};
  for (const auto& [name, label] : buttons) {
    files.push_back({builtin + "button_" + name + ".bmp", EncodeBmp(MakeButton(label))});
  }
  // TRANSLATORS: the title over a paused mission, in large capitals.
  files.push_back({img + "pause.bmp", EncodeBmp(MakePauseTitle(Translated("PAUSE")))});
  files.push_back({img + "view2.bmp", EncodeBmp(MakeGaugePanel())});
}

}  // namespace

std::vector<ArtFile> GenerateArt(const std::vector<ArtLanguage>& languages) {
  std::vector<ArtFile> files;
  Canvas space = MakeSpaceBackground();
  for (int i = 0; i < 4; ++i) {
    files.push_back({"img/bg" + std::to_string(i + 1) + ".jpg", EncodeJpeg(Quarter(space, i), kJpegQuality)});
  }
  files.push_back({"img/x.bmp", EncodeBmp(MakeCrosshair())});
  files.push_back({"img/view1.jpg", EncodeJpeg(MakeCanopyRim(), kJpegQuality)});
  files.push_back({"img/view3.jpg", EncodeJpeg(MakeConsole(), kJpegQuality)});
  files.push_back({"img/rock.bmp", EncodeBmp(MakeRock())});
  files.push_back({"img/crsr.bmp", EncodeBmp(MakePointer())});
  files.push_back({"img/expl.bmp", EncodeBmp(MakeExplosion())});
  for (int weapon = 1; weapon <= 4; ++weapon) {
    files.push_back({"img/shot_" + std::to_string(weapon) + ".bmp", EncodeBmp(MakeShot(weapon))});
  }
  files.push_back({"img/dspl.jpg", EncodeJpeg(MakeGaugeSegment(), 95)});
  files.push_back({"expl1.wav", Wav(MakeExplosionSound())});
  files.push_back({"fire.wav", Wav(MakeFireSound())});
  files.push_back({"click.wav", Wav(MakeClickSound())});
  files.push_back({"loop.wav", Wav(MakeMusicLoop())});
  UseCatalogue({});
  AddWordPictures(files, "builtin/", "img/");
  files.push_back({"builtin/logo.bmp", EncodeBmp(MakeTitleLogo())});
  for (int type = 1; type <= 3; ++type) {
    files.push_back({"builtin/ship" + std::to_string(type) + ".bmp", EncodeBmp(MakeShip(type))});
  }
  // The desktop's icon, in the sizes of the icon theme's folders.
  for (int size : kIconSizes) {
    const std::string name = std::to_string(size) + "x" + std::to_string(size);
    files.push_back({"icons/" + name + "/space.png", EncodePng(MakeIcon(size))});
  }
  for (const ArtLanguage& language : languages) {
    UseCatalogue(language.words);
    const std::string folder = "img/" + language.code + "/";
    AddWordPictures(files, folder, folder);
  }
  UseCatalogue({});
  return files;
}

bool WriteArt(const std::vector<ArtFile>& files, const std::string& folder, std::string& error) {
  for (const ArtFile& file : files) {
    std::filesystem::path path = std::filesystem::path(folder) / file.path;
    std::error_code code;
    std::filesystem::create_directories(path.parent_path(), code);
    if (code) {
      error = "cannot create " + path.parent_path().string() + ": " + code.message();
      return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.bytes.data()),
              static_cast<std::streamsize>(file.bytes.size()));
    out.close();
    if (!out) {
      error = "cannot write " + path.string();
      return false;
    }
  }
  return true;
}
