// The player's settings in settings.ini: reading and writing the file, and keeping it up to date.
#include "game/settings.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "base/data_folder.h"
#include "base/file_io.h"
#include "game/frame_rate.h"
#include "game/language.h"
#include "mission/game_state.h"
#include "platform/display.h"

KeptSettings keptSettings;

namespace {

constexpr const char* kFileName = "settings.ini";
constexpr std::size_t kMaxFileBytes = 65536;  // far more than any hand-edited settings file
constexpr const char* kNewFileHeader = "# Space: each setting is on or off. See space(6).\n";
constexpr int kMaxToldLines = 3;  // lines not understood named one by one on stderr; the rest counted
constexpr int kMaxLinks = 40;     // links followed before a save gives up, as the kernel does

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlank = " \t\r";

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlank);
  if (first == std::string_view::npos) return text.substr(text.size());
  return text.substr(first, text.find_last_not_of(kBlank) - first + 1);
}

bool StartsComment(char c) {
  return c == '#' || c == ';';
}

// ASCII only: the keys and values are English words, and the locale has no say in them.
bool IsUpper(char c) {
  return c >= 'A' && c <= 'Z';
}

bool IsLower(char c) {
  return c >= 'a' && c <= 'z';
}

char Lower(char c) {
  return IsUpper(c) ? static_cast<char>(c - 'A' + 'a') : c;
}

char Upper(char c) {
  return IsLower(c) ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

// The words a switch may be written with, each pair on first.
constexpr std::string_view kSwitchWords[][2] = {{"on", "off"}, {"true", "false"}, {"yes", "no"}, {"1", "0"}};

std::optional<bool> SwitchValue(std::string_view value) {
  for (const auto& words : kSwitchWords) {
    if (SameIgnoringCase(value, words[0])) return true;
    if (SameIgnoringCase(value, words[1])) return false;
  }
  return std::nullopt;
}

// `on` in the words and the case of `old`, the value its line held so far: true becomes false, Yes
// No, OFF ON; any other old value gives on or off.
std::string SwitchText(bool on, std::string_view old) {
  const std::string_view* words = kSwitchWords[0];
  for (const auto& pair : kSwitchWords) {
    if (SameIgnoringCase(old, pair[0]) || SameIgnoringCase(old, pair[1])) words = pair;
  }
  std::string text(words[on ? 0 : 1]);
  const bool capital = !old.empty() && IsUpper(old[0]);
  const bool allCapitals = capital && std::none_of(old.begin(), old.end(), IsLower);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (allCapitals || (capital && i == 0)) text[i] = Upper(text[i]);
  }
  return text;
}

// A key of the file and its value in Settings, read from and written as the text of a line.
struct SettingKey {
  std::string_view name;
  std::string_view values;  // the values it takes, for a message
  // Sets the key's value in `settings` from a line's value; false for a value the key does not take.
  bool (*read)(std::string_view value, Settings& settings);
  // The key's value in `settings`, written in the words of `old`, the value its line held so far.
  std::string (*write)(const Settings& settings, std::string_view old);
};

template <bool Settings::*kSwitch>
constexpr SettingKey SwitchKey(std::string_view name) {
  return {name, "on or off",
          [](std::string_view value, Settings& settings) {
            const std::optional<bool> on = SwitchValue(value);
            if (on) settings.*kSwitch = *on;
            return on.has_value();
          },
          [](const Settings& settings, std::string_view old) { return SwitchText(settings.*kSwitch, old); }};
}

// fps: a number of frames a second, or "display" for the display's own rate (0 in Settings); a file
// without it gets no line for it.
constexpr SettingKey kFrameRateKey = {"fps", "a number from 30 to 360 or display",
                                      [](std::string_view value, Settings& settings) {
                                        if (SameIgnoringCase(value, "display")) {
                                          settings.framesPerSecond = 0;
                                          return true;
                                        }
                                        const int rate = FrameRateValue(value);
                                        if (rate != 0) settings.framesPerSecond = rate;
                                        return rate != 0;
                                      },
                                      [](const Settings& settings, std::string_view) {
                                        return settings.framesPerSecond == 0
                                                   ? std::string()
                                                   : std::to_string(settings.framesPerSecond);
                                      }};

// The player's choice of a language; a file without it gets no line for it.
constexpr SettingKey kLanguageKey = {
    "language", "a language code such as de or en",
    [](std::string_view value, Settings& settings) {
      std::string code(value);
      for (char& c : code) c = Lower(c);
      if (IsLanguageCode(code)) settings.language = code;
      return IsLanguageCode(code);
    },
    [](const Settings& settings, std::string_view) { return settings.language; }};

constexpr SettingKey kKeys[] = {SwitchKey<&Settings::music>("music"), SwitchKey<&Settings::effects>("effects"),
                                SwitchKey<&Settings::window>("window"), kFrameRateKey, kLanguageKey};
constexpr int kKeyCount = sizeof kKeys / sizeof kKeys[0];

// The index in kKeys of a key; -1 for any other key.
int KeyIndex(std::string_view name) {
  for (int index = 0; index < kKeyCount; ++index) {
    if (SameIgnoringCase(kKeys[index].name, name)) return index;
  }
  return -1;
}

bool Differs(const SettingKey& key, const Settings& a, const Settings& b) {
  return key.write(a, "") != key.write(b, "");
}

// A line of the file taken apart.
struct Line {
  enum class Kind { kNothing, kSetting, kNotUnderstood };
  Kind kind = Kind::kNothing;  // kNothing: a blank line, a comment or a [section]
  std::string_view key;        // of a setting, without blanks
  std::size_t valueBegin = 0;  // the value's place in the line, without blanks and an inline comment
  std::size_t valueEnd = 0;
};

Line TakeApart(std::string_view line) {
  Line parts;
  const std::string_view content = Trimmed(line);
  if (content.empty() || StartsComment(content.front())) return parts;
  if (content.front() == '[') {
    const std::size_t close = content.find(']');
    const std::string_view rest = Trimmed(content.substr(close == std::string_view::npos ? 0 : close + 1));
    const bool section = close != std::string_view::npos && (rest.empty() || StartsComment(rest.front()));
    parts.kind = section ? Line::Kind::kNothing : Line::Kind::kNotUnderstood;
    return parts;
  }
  const std::size_t equals = line.find('=');
  if (equals != std::string_view::npos) parts.key = Trimmed(line.substr(0, equals));
  if (parts.key.empty()) {
    parts.kind = Line::Kind::kNotUnderstood;
    return parts;
  }
  parts.kind = Line::Kind::kSetting;
  const std::size_t comment = line.find_first_of("#;", equals + 1);
  const std::size_t end = comment == std::string_view::npos ? line.size() : comment;
  const std::string_view value = Trimmed(line.substr(equals + 1, end - equals - 1));
  // An empty value is taken to stand right after the '='.
  parts.valueBegin = value.empty() ? equals + 1 : static_cast<std::size_t>(value.data() - line.data());
  parts.valueEnd = parts.valueBegin + value.size();
  return parts;
}

// The text without its byte order mark.
std::string_view Body(std::string_view text) {
  return text.starts_with(kByteOrderMark) ? text.substr(kByteOrderMark.size()) : text;
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

// Why a file cannot be read as settings at all; empty if it can, or if there is none.
std::string Unreadable(int error, const std::string& text) {
  if (error == ENOENT) return "";
  if (error == EINVAL) return "not a regular file";
  if (error == EFBIG) return "larger than a settings file";
  if (error != 0) return std::strerror(error);
  // A picture or a program saved under this name: nothing to add a line to.
  return text.find('\0') != std::string::npos ? "not a text file" : "";
}

void TellLinesNotUnderstood(const std::string& path, const std::vector<std::string>& problems) {
  const int count = static_cast<int>(problems.size());
  for (int i = 0; i < count && i < kMaxToldLines; ++i) {
    std::fprintf(stderr, "space: %s: %s; the line is left as it is and not used\n", path.c_str(),
                 problems[i].c_str());
  }
  if (count > kMaxToldLines) {
    std::fprintf(stderr, "space: %s: %d more lines not understood, left as they are\n", path.c_str(),
                 count - kMaxToldLines);
  }
}

// The frame rate and the language are not switched in the game: they stay as the file has them.
Settings SettingsInPlay() {
  return Settings{game.musicOn == 1, game.soundOn == 1, IsDisplayWindowed(), keptSettings.kept.framesPerSecond,
                  keptSettings.kept.language};
}

std::string FolderOf(const std::string& path) {
  return path.substr(0, path.rfind('/') + 1);
}

// The file a save writes: `path`, or the file its symbolic link names, link after link, whether that
// file exists or not. Empty for links that go round in a circle.
std::string LinkTarget(std::string path) {
  for (int links = 0; links < kMaxLinks; ++links) {
    char target[PATH_MAX];
    const ssize_t length = readlink(path.c_str(), target, sizeof target);
    if (length < 0 || length == static_cast<ssize_t>(sizeof target)) return path;  // not a link
    // A relative link is relative to the folder that holds it.
    path = (target[0] == '/' ? "" : FolderOf(path)) + std::string(target, static_cast<std::size_t>(length));
  }
  return {};
}

// The file written anew, the settings' folder made first. A link is followed to the file it names,
// which is made if missing; the folder that file belongs in is not made.
bool SaveSettingsFile(const std::string& path, const std::string& target, const std::string& text) {
  if (target.empty()) return false;
  struct stat info {};
  const int mode = stat(target.c_str(), &info) == 0 ? static_cast<int>(info.st_mode & 07777) : -1;
  return MakeFolders(FolderOf(path)) && ReplaceFile(target, text, mode) == Replace::kDone;
}

}  // namespace

std::vector<std::string> ParseSettings(const std::string& text, Settings& settings) {
  std::vector<std::string> problems;
  ForEachLine(Body(text), [&](int number, std::string_view line) {
    const Line parts = TakeApart(line);
    const std::string where = "line " + std::to_string(number);
    if (parts.kind == Line::Kind::kNotUnderstood) problems.push_back(where + " is not `key = value`");
    const int index = parts.kind == Line::Kind::kSetting ? KeyIndex(parts.key) : -1;
    if (index < 0) return;
    const std::string_view value = line.substr(parts.valueBegin, parts.valueEnd - parts.valueBegin);
    if (!kKeys[index].read(value, settings)) {
      problems.push_back(where + ": " + std::string(parts.key) + " is " + std::string(kKeys[index].values) +
                         ", not \"" + std::string(value) + "\"");
    }
  });
  return problems;
}

std::string SettingsText(const std::string& text, const Settings& before, const Settings& after) {
  const std::string_view body = Body(text);
  std::string out(text, 0, text.size() - body.size());
  if (body.empty()) out += kNewFileHeader;
  bool hasLine[kKeyCount] = {};
  ForEachLine(body, [&](int, std::string_view line) {
    const Line parts = TakeApart(line);
    const int index = parts.kind == Line::Kind::kSetting ? KeyIndex(parts.key) : -1;
    if (index >= 0) hasLine[index] = true;
    if (index >= 0 && Differs(kKeys[index], before, after)) {
      const std::string_view old = line.substr(parts.valueBegin, parts.valueEnd - parts.valueBegin);
      out += line.substr(0, parts.valueBegin);
      if (old.empty()) out += ' ';
      out += kKeys[index].write(after, old);
      out += line.substr(parts.valueEnd);
    } else {
      out += line;
    }
    out += '\n';
  });
  for (int index = 0; index < kKeyCount; ++index) {
    const std::string value = kKeys[index].write(after, "");
    if (!hasLine[index] && !value.empty()) out += std::string(kKeys[index].name) + " = " + value + "\n";
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
    const std::string problem = Unreadable(error, text);
    if (problem.empty()) {
      keptSettings.path = path;
      keptSettings.text = text;
      TellLinesNotUnderstood(path, ParseSettings(text, settings));
    } else {
      std::fprintf(stderr, "space: %s: %s; playing with the default settings, the file is left as it is\n",
                   path.c_str(), problem.c_str());
    }
  }
  keptSettings.inText = settings;
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
    if (Differs(key, now, seen)) key.read(key.write(now, ""), kept);
  }
  seen = now;
  if (kept == before) return;
  // Written against what the file holds, so that a save that failed is made good by the next one.
  const std::string text = SettingsText(keptSettings.text, keptSettings.inText, kept);
  const std::string& path = keptSettings.path;
  const std::string target = LinkTarget(path);
  if (SaveSettingsFile(path, target, text)) {
    keptSettings.text = text;
    keptSettings.inText = kept;
  } else if (target.empty()) {
    std::fprintf(stderr, "space: cannot save the settings in %s: its links go round in a circle\n",
                 path.c_str());
  } else if (target == path) {
    std::fprintf(stderr, "space: cannot save the settings in %s\n", path.c_str());
  } else {
    std::fprintf(stderr, "space: cannot save the settings in %s, the file that %s links to\n", target.c_str(),
                 path.c_str());
  }
}
