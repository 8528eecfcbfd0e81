// The player's settings in settings.ini: reading and writing the file, and keeping it up to date.
#include "game/settings.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "base/data_folder.h"
#include "base/file_io.h"
#include "game/language.h"
#include "media/display.h"
#include "mission/game_state.h"

KeptSettings keptSettings;

namespace {

constexpr const char* kFileName = "settings.ini";
constexpr std::size_t kMaxFileBytes = 65536;  // far more than any hand-edited settings file
constexpr const char* kNewFileHeader = "# Space: each setting is on or off. See space(6).\n";

constexpr std::string_view kBlank = " \t\r";

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlank);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlank) - first + 1);
}

bool IsComment(std::string_view line) {
  return line.empty() || line.front() == '#' || line.front() == ';';
}

// The key and the value of a trimmed `key = value` line; false for a line without a key or '='.
bool SplitSetting(std::string_view line, std::string_view& key, std::string_view& value) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return false;
  key = Trimmed(line.substr(0, equals));
  value = Trimmed(line.substr(equals + 1));
  return !key.empty();
}

// The keys of the file and the settings they stand for.
struct SettingKey {
  std::string_view name;
  bool Settings::*value;
};
constexpr SettingKey kKeys[] = {
    {"music", &Settings::music}, {"effects", &Settings::effects}, {"window", &Settings::window}};
constexpr int kKeyCount = sizeof kKeys / sizeof kKeys[0];

// The index in kKeys of a key; -1 for any other key.
int KeyIndex(std::string_view name) {
  for (int index = 0; index < kKeyCount; ++index) {
    if (kKeys[index].name == name) return index;
  }
  return -1;
}

const char* OnOff(bool value) {
  return value ? "on" : "off";
}

// Calls visit(number, line) for each line of `text`, numbered from 1, without its line feed.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
  int number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    visit(++number, text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
  }
}

std::string ReadProblem(int error) {
  if (error == EINVAL) return "not a regular file";
  if (error == EFBIG) return "larger than a settings file";
  return std::strerror(error);
}

Settings SettingsInPlay() {
  return Settings{game.musicOn == 1, game.soundOn == 1, IsDisplayWindowed(), keptSettings.kept.language};
}

// The file written anew, its folder made first; a link is followed to the file it names.
bool SaveSettingsFile(const std::string& path, const std::string& text) {
  char* real = realpath(path.c_str(), nullptr);
  const std::string target = real != nullptr ? real : path;
  std::free(real);
  struct stat info {};
  const int mode = stat(target.c_str(), &info) == 0 ? static_cast<int>(info.st_mode & 07777) : -1;
  return MakeFolders(target.substr(0, target.rfind('/') + 1)) &&
         ReplaceFile(target, text, mode) == Replace::kDone;
}

}  // namespace

std::string ParseSettings(const std::string& text, Settings& settings) {
  Settings read = settings;
  std::string problem;
  ForEachLine(text, [&](int number, std::string_view line) {
    line = Trimmed(line);
    std::string_view key, value;
    if (!problem.empty() || IsComment(line)) return;
    if (!SplitSetting(line, key, value)) {
      problem = "line " + std::to_string(number) + " is not `key = value`";
    } else if (const int index = KeyIndex(key); index >= 0) {
      if (value == "on" || value == "off") {
        read.*kKeys[index].value = value == "on";
      } else {
        problem = "line " + std::to_string(number) + ": " + std::string(key) + " is on or off, not \"" +
                  std::string(value) + "\"";
      }
    } else if (key == "language") {
      if (IsLanguageCode(value)) {
        read.language = value;
      } else {
        problem = "line " + std::to_string(number) +
                  ": language is a language code such as de or en, not \"" + std::string(value) + "\"";
      }
    }
  });
  if (problem.empty()) settings = read;
  return problem;
}

std::string SettingsText(const std::string& text, const Settings& settings) {
  bool hasLine[kKeyCount] = {};
  std::string out;
  ForEachLine(text, [&](int, std::string_view line) {
    const std::string_view content = Trimmed(line);
    std::string_view key, value;
    const int index = !IsComment(content) && SplitSetting(content, key, value) ? KeyIndex(key) : -1;
    if (index >= 0) hasLine[index] = true;
    if (index >= 0 && value != OnOff(settings.*kKeys[index].value)) {
      out += std::string(key) + " = " + OnOff(settings.*kKeys[index].value) + "\n";
    } else {
      out += line;
      out += '\n';
    }
  });
  if (out.empty()) out = kNewFileHeader;
  for (int index = 0; index < kKeyCount; ++index) {
    if (!hasLine[index])
      out += std::string(kKeys[index].name) + " = " + OnOff(settings.*kKeys[index].value) + "\n";
  }
  return out;
}

void LoadSettings(std::optional<bool> window) {
  keptSettings = KeptSettings{};
  Settings settings;
  const std::string folder = UserConfigFolder();
  if (!folder.empty()) {
    const std::string path = folder + kFileName;
    std::string text;
    const int error = ReadSmallFile(path, kMaxFileBytes, text);
    const std::string problem = error == 0        ? ParseSettings(text, settings)
                                : error == ENOENT ? ""
                                                  : ReadProblem(error);
    if (problem.empty()) {
      keptSettings.path = path;
      keptSettings.text = text;
    } else {
      std::fprintf(stderr, "space: %s: %s; playing with the default settings, the file is left as it is\n",
                   path.c_str(), problem.c_str());
    }
  }
  keptSettings.kept = settings;
  game.musicOn = settings.music ? 1 : 0;
  game.soundOn = settings.effects ? 1 : 0;
  SetDisplayWindowed(window.value_or(settings.window));
  keptSettings.seen = SettingsInPlay();
}

void KeepSettings() {
  if (keptSettings.path.empty()) return;
  const Settings now = SettingsInPlay();
  Settings& seen = keptSettings.seen;
  if (now == seen) return;
  // Only what the player switched goes into the file: a window chosen on the command line does not.
  Settings& kept = keptSettings.kept;
  const Settings before = kept;
  for (const SettingKey& key : kKeys) {
    if (now.*key.value != seen.*key.value) kept.*key.value = now.*key.value;
  }
  seen = now;
  if (kept == before) return;
  const std::string text = SettingsText(keptSettings.text, kept);
  if (SaveSettingsFile(keptSettings.path, text)) {
    keptSettings.text = text;
  } else {
    std::fprintf(stderr, "space: cannot save the settings in %s\n", keptSettings.path.c_str());
  }
}
