// The folder of the program file, found once through /proc/self/exe.
#include "base/program_folder.h"

#include <limits.h>
#include <unistd.h>

namespace {

std::string FindProgramFolder() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
  if (length <= 0 || length == static_cast<ssize_t>(sizeof path)) return {};  // none, or cut off
  const std::string file(path, static_cast<std::size_t>(length));
  const std::size_t slash = file.rfind('/');
  if (slash == std::string::npos) return {};
  return file.substr(0, slash + 1);
}

}  // namespace

const std::string& ProgramFolder() {
  static const std::string folder = FindProgramFolder();
  return folder;
}

bool EnterProgramFolder() {
  const std::string& folder = ProgramFolder();
  return !folder.empty() && chdir(folder.c_str()) == 0;
}
