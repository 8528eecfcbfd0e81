// Tests of the program's folder.
#include "base/program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

TEST(ProgramFolder, IsTheFolderOfTheProgramFile) {
  // The test programs are built into <build>/tests.
  const std::string expected = fs::canonical(fs::path(SPACE_BUILD_DIR) / "tests").string() + "/";
  EXPECT_EQ(ProgramFolder(), expected) << "the program's path cut after its last '/'";
}

TEST(ProgramFolder, EnterMakesItTheWorkingDirectory) {
  const fs::path start = fs::current_path();
  fs::current_path("/");
  EXPECT_TRUE(EnterProgramFolder());
  EXPECT_EQ(fs::current_path().string() + "/", ProgramFolder())
      << "the working directory is the program's folder";
  fs::current_path(start);
}
