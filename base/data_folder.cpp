// The game's folders for pictures and sounds, and for its table and screenshots.
#include "base/data_folder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "base/program_folder.h"

namespace {

// Where an installed program's pictures and sounds are: relative to the program's folder (the
// prefix's bin/ and share/space/), or absolute when the install put them elsewhere.
constexpr const char* kInstalledDataFolder = SPACE_INSTALLED_DATA_FOLDER;
constexpr const char* kInstalledLocaleFolder = SPACE_INSTALLED_LOCALE_FOLDER;  // the same for share/locale/

bool IsFolder(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return home;
  const passwd* user = getpwuid(getuid());
  return user != nullptr && user->pw_dir != nullptr && user->pw_dir[0] == '/' ? user->pw_dir : "";
}

// The game's folder in the XDG base folder that `variable` names, or in `inHome` of the home folder.
std::string GameFolderOf(const char* variable, const char* inHome) {
  // Relative paths in the XDG variables are invalid and ignored.
  const char* base = std::getenv(variable);
  if (base != nullptr && base[0] == '/') return WithSlash(base) + "space/";
  const std::string home = HomeFolder();
  return home.empty() ? "" : WithSlash(home) + inHome + "space/";
}

// An installed folder given absolute, or relative to the program's folder.
std::string InstalledFolder(const std::string& programFolder, const char* installed) {
  return installed[0] == '/' ? WithSlash(installed) : programFolder + WithSlash(installed);
}

bool IsFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::string ResourceFolderFor(const std::string& programFolder) {
  if (programFolder.empty()) return "";
  if (IsFolder(programFolder + "img")) return programFolder;
  const std::string installed = InstalledFolder(programFolder, kInstalledDataFolder);
  if (IsFolder(installed + "img")) return installed;
  return "";
}

std::string CatalogueFileFor(const std::string& programFolder, const std::string& language) {
  if (programFolder.empty()) return "";
  const std::string file = language + "/LC_MESSAGES/space.mo";
  for (const std::string& folder :
       {programFolder + "locale/", InstalledFolder(programFolder, kInstalledLocaleFolder)}) {
    if (IsFile(folder + file)) return folder + file;
  }
  return "";
}

bool EnterResourceFolder() {
  const std::string folder = ResourceFolderFor(ProgramFolder());
  return !folder.empty() && chdir(folder.c_str()) == 0;
}

std::string UserDataFolder() {
  return GameFolderOf("XDG_DATA_HOME", ".local/share/");
}

std::string UserConfigFolder() {
  return GameFolderOf("XDG_CONFIG_HOME", ".config/");
}

std::string DataFolderFor(const std::string& programFolder, const std::string& fileName) {
  if (fileName.starts_with('/')) return programFolder;  // a file of its own place needs no choice
  const std::string path = programFolder + fileName;
  const std::string folder = path.substr(0, path.rfind('/') + 1);
  if (access(folder.c_str(), W_OK) == 0 || access(path.c_str(), W_OK) == 0) return programFolder;
  const std::string user = UserDataFolder();
  return user.empty() ? programFolder : user;
}

bool MakeFolders(const std::string& folder) {
  if (folder.empty()) return false;
  const std::string path = WithSlash(folder);
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (mkdir(part.c_str(), 0700) != 0 && !IsFolder(part)) return false;
  }
  return true;
}

bool EnterFolder(const std::string& folder) {
  return MakeFolders(folder) && chdir(WithSlash(folder).c_str()) == 0;
}
