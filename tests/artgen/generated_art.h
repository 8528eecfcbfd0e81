// Shared by the art tests: the files the build generated, by name, and reading their fields.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "tools/artgen/artgen.h"

// The bytes of the file `path` (e.g. "img/x.bmp") that the build generated into its folder, read
// once; empty, with a failure, if it is missing.
inline const Bytes& ArtBytes(const std::string& path) {
  static std::map<std::string, Bytes> files;
  auto found = files.find(path);
  if (found != files.end()) return found->second;
  std::ifstream in(std::string(SPACE_BUILD_DIR) + "/" + path, std::ios::binary);
  if (!in) ADD_FAILURE() << path << " is missing from the build folder";
  Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return files.emplace(path, std::move(bytes)).first->second;
}

inline std::string Tag(const Bytes& bytes, std::size_t at) {
  return std::string(reinterpret_cast<const char*>(bytes.data() + at), 4);
}
