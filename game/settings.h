// The player's settings, kept from one run to the next in settings.ini: the music and the sound
// effects switched on or off, and a window or the full screen.
#pragma once

#include <optional>
#include <string>

struct Settings {
  bool music = true;       // the music loop plays (game.musicOn)
  bool effects = true;     // sound effects play (game.soundOn)
  bool window = false;     // an 800 x 600 window instead of the full screen
  std::string language{};  // "de", "en", ...: the language to play in; empty: the player's locale decides
  bool operator==(const Settings&) const = default;
};

// Reads the text of a settings file into `settings`; a key the text does not name keeps its value.
// The text is lines of `key = value` (music, effects and window, each on or off; language, a
// language code such as de or en; other keys are allowed and mean nothing), blank lines and comment lines
// starting with # or ;. Empty if the text is understood; else what is wrong, naming the line, and `settings`
// is left as it was.
std::string ParseSettings(const std::string& text, Settings& settings);

// `text` with the three keys set to the values of `settings`: a line of a key whose value differs
// is written anew, a key without a line gets one at the end, every other line stays as it is.
std::string SettingsText(const std::string& text, const Settings& settings);

// What LoadSettings found and KeepSettings compares with.
struct KeptSettings {
  std::string path;  // the file KeepSettings writes; empty before LoadSettings, and for a file left alone
  std::string text;  // the file's text as last read or written; empty for no file
  Settings kept;     // the values the file is to hold
  Settings seen;     // the values in play at the last check
};

extern KeptSettings keptSettings;

// At start, before the display opens: reads $XDG_CONFIG_HOME/space/settings.ini (by default
// ~/.config/space/settings.ini) and switches the music, the effects and the window mode as it says;
// `window`, the command line's choice, sets the window mode of this run instead. A missing file
// gives the defaults; an unreadable or broken one gives them with one line on stderr, and the file
// is then left as it is.
void LoadSettings(std::optional<bool> window);

// Once a frame: when the player switched the music, the effects or the window mode since the last
// check, writes the file anew (a temporary file renamed over it), keeping its other lines. A
// failed save says so on stderr; the game goes on. Does nothing before LoadSettings.
void KeepSettings();
