// The player's settings, kept from one run to the next in settings.ini: the music and the sound
// effects switched on or off, a window or the full screen, the frames a second and the language.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct Settings {
  bool music = true;        // the music loop plays (game.musicOn)
  bool effects = true;      // sound effects play (game.soundOn)
  bool window = false;      // an 800 x 600 window instead of the full screen
  int framesPerSecond = 0;  // fps: 30 to 360 frames a second, 41 one frame per step; 0 the display's rate
  std::string language{};   // "de", "en", ...: the language to play in; empty: the player's locale decides
  bool operator==(const Settings&) const = default;
};

// Reads the text of a settings file into `settings`. The text is lines of `key = value`: music,
// effects and window (keys in any case), each on/off, true/false, yes/no or 1/0 in any case; fps, a
// number of frames a second from 30 to 360 or `display` for the display's own rate; and language, a
// language code such as de or en (in any case; the game writes neither of the two); an
// inline comment may follow the value after # or ;. Blank lines, comment lines starting with # or ;,
// [section] lines, keys of no meaning and a UTF-8 byte order mark are passed over. A key keeps its
// value where the text names it with a value it does not take, or not at all; the last line of a key
// counts. Returns the lines not understood, each as "line N: what is wrong"; the rest is read.
std::vector<std::string> ParseSettings(const std::string& text, Settings& settings);

// `text` with the lines of every key whose value differs between `before` (what the text holds) and
// `after` given the value of `after`, in the words and case the line used (true/false stays so); a
// key without a line gets one at the end. Everything else stays byte for byte: other lines, the
// byte order mark, the blanks and the inline comment of a rewritten line.
std::string SettingsText(const std::string& text, const Settings& before, const Settings& after);

// What LoadSettings found and KeepSettings compares with.
struct KeptSettings {
  std::string path;  // the file KeepSettings writes; empty before LoadSettings, and for a file left alone
  std::string text;  // the file's text as last read or written; empty for no file
  Settings inText;   // the values `text` holds, with the defaults where it holds none it understands
  Settings kept;     // the values the file is to hold
  Settings seen;     // the values in play at the last check
};

extern KeptSettings keptSettings;

// At start, before the display opens: reads $XDG_CONFIG_HOME/space/settings.ini (by default
// ~/.config/space/settings.ini) and switches the music, the effects and the window mode as it says;
// `window`, the command line's choice, sets the window mode of this run instead. A missing file
// gives the defaults. Lines not understood are named on stderr (a few, then their number) and left
// for the defaults. A file that cannot be read at all (no regular file, too large, no text, no
// rights) gives the defaults with one line on stderr and is then left as it is.
void LoadSettings(std::optional<bool> window);

// Once a frame: when the player switched the music, the effects or the window mode since the last
// check, writes the file anew (a temporary file renamed over it), keeping its other lines. A
// symbolic link stays: the file it names is written, and made if missing. A failed save says so on
// stderr; the game goes on. Does nothing before LoadSettings.
void KeepSettings();
