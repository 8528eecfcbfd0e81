// Build tool: writes every picture and sound of the game into the build folder.
// Usage: artgen <build folder>
#include <cstdio>
#include <exception>

#include "tools/artgen/artgen.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: artgen <build folder>\n");
    return 2;
  }
  try {
    std::string error;
    if (!WriteArt(GenerateArt(), argv[1], error)) {
      std::fprintf(stderr, "artgen: %s\n", error.c_str());
      return 1;
    }
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "artgen: %s\n", failure.what());
    return 1;
  }
  return 0;
}
