// Tests of reading a whole small file: what counts as no file, a wrong file and a file too large.
#include "base/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

TEST(FileIo, ReadSmallFileTellsMissingWrongAndTooLargeFilesApart) {
  char pattern[] = "/tmp/file_io_test_XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string root = pattern;
  std::ofstream(root + "/four") << "four";
  ASSERT_EQ(mkfifo((root + "/fifo").c_str(), 0600), 0);

  std::string out = "before";
  EXPECT_EQ(ReadSmallFile(root + "/four", 4, out), 0) << "a file of exactly the limit is read";
  EXPECT_EQ(out, "four");
  out = "before";
  EXPECT_EQ(ReadSmallFile(root + "/missing", 4, out), ENOENT) << "no file is told apart from a bad one";
  EXPECT_EQ(ReadSmallFile(root + "/four", 3, out), EFBIG) << "a larger file is refused";
  EXPECT_EQ(ReadSmallFile(root + "/fifo", 4, out), EINVAL) << "a FIFO is no file and does not block";
  EXPECT_EQ(ReadSmallFile(root, 4, out), EINVAL) << "nor is a folder";
  EXPECT_EQ(out, "before") << "a refused file leaves the text as it was";
  std::filesystem::remove_all(root);
}

}  // namespace
