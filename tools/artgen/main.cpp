// Build tool: writes every picture and sound of the game into the build folder, the pictures with
// words once in German and once more in each language whose compiled catalogue is given.
// Usage: artgen <build folder> [<language> <catalogue.mo>]...
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "formats/mo_catalogue.h"
#include "tools/artgen/artgen.h"

namespace {

// The translations of the catalogue file `path`; false with `error` set if it cannot be read.
bool ReadCatalogue(const std::string& path, Catalogue& words, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (!in.good() && !in.eof()) {
    error = "cannot read " + path;
    return false;
  }
  if (!ParseMoCatalogue(bytes.data(), bytes.size(), words, error)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc % 2 != 0) {
    std::fprintf(stderr, "usage: artgen <build folder> [<language> <catalogue.mo>]...\n");
    return 2;
  }
  try {
    std::string error;
    std::vector<ArtLanguage> languages;
    for (int i = 2; i + 1 < argc; i += 2) {
      ArtLanguage& language = languages.emplace_back(ArtLanguage{argv[i], {}});
      if (!ReadCatalogue(argv[i + 1], language.words, error)) {
        std::fprintf(stderr, "artgen: %s\n", error.c_str());
        return 1;
      }
    }
    if (!WriteArt(GenerateArt(languages), argv[1], error)) {
      std::fprintf(stderr, "artgen: %s\n", error.c_str());
      return 1;
    }
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "artgen: %s\n", failure.what());
    return 1;
  }
  return 0;
}
