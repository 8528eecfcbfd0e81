// The language the game speaks: German, its own, or one whose catalogue it has (English). Chosen at
// start from the command line, the settings or the player's locale.
#pragma once

#include <functional>
#include <string>
#include <string_view>

inline constexpr const char* kGerman = "de";

// Whether `text` names a language as the settings and the command line take it: two or three
// lower-case letters ("de", "en").
bool IsLanguageCode(std::string_view text);

// The language of a locale name: "en" for "en", "en_US.UTF-8" or "en@quot"; "" for C, POSIX and
// any name that does not start with a language code.
std::string LanguageOfLocale(std::string_view locale);

// The player's locale variables, as the environment holds them; nullptr for one that is unset.
struct LocaleVariables {
  const char* language;    // LANGUAGE: locale names separated by ':', the first the game has counts
  const char* lcAll;       // LC_ALL
  const char* lcMessages;  // LC_MESSAGES
  const char* lang;        // LANG
};
LocaleVariables LocaleOfEnvironment();

// The language to play in: `chosen` (the command line's, else the settings') if not empty; else the
// first of the languages in LANGUAGE that the game has; else the language of the first of LC_ALL,
// LC_MESSAGES and LANG that is set and not empty, if the game has it; else German. `has` tells
// whether the game has a catalogue of a language; German it always has. Empty values count as unset.
std::string ChooseLanguage(const std::string& chosen, const LocaleVariables& locale,
                           const std::function<bool(const std::string&)>& has);

// Puts `language` in play with its catalogue, the compiled .mo file at `cataloguePath` (unused for
// German). A catalogue that cannot be read is said on stderr, and German is played; false then.
bool PlayLanguage(const std::string& language, const std::string& cataloguePath);

// At start, after LoadSettings and before the pictures load: chooses the language from `chosen` and
// the environment and plays it with its catalogue from beside the program or where it was installed
// (base/data_folder.h). A chosen language without a catalogue is said on stderr; German then.
void StartLanguage(const std::string& chosen);

const std::string& LanguageInPlay();  // "de", or the language whose catalogue is in play
