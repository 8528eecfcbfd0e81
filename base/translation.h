// The texts of the language in play. Each text the player sees is written in the sources in German,
// UTF-8, and that text is the key to its translation in the catalogue in play (xgettext collects the
// keys from the calls of Tr, Translated and TrKey).
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

// German text -> its translation, both UTF-8.
using Catalogue = std::unordered_map<std::string, std::string>;

// Puts `catalogue` in play; an empty one is German, the game's own language.
void UseCatalogue(Catalogue catalogue);

// Marks a German text as a key of the catalogue where it is kept to be looked up later.
constexpr const char* TrKey(const char* german) {
  return german;
}

// The text in play for `german`, UTF-8: its translation, or `german` itself where the catalogue has
// none (German in play, or a catalogue that lacks it; the second is said once on stderr).
std::string Translated(const char* german);

// The text in play as the font's Windows-1252 bytes, a character outside them as '?'.
std::string Tr(const char* german);
// The same for a text with a number: each "%d" becomes `number` in decimal, each "%%" a '%'.
std::string Tr(const char* german, long number);

// The German text itself, made like Tr makes the text in play: to place a translation where the
// German text stands.
std::string GermanText(const char* german);
std::string GermanText(const char* german, long number);

// The German texts asked for since the catalogue was put in play that it does not translate, in the
// order they were first asked for; always empty while German is in play.
const std::vector<std::string>& UntranslatedTexts();
