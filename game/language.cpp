// The choice of the language and its catalogue.
#include "game/language.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "base/data_folder.h"
#include "base/file_io.h"
#include "base/program_folder.h"
#include "base/translation.h"
#include "formats/mo_catalogue.h"

namespace {

constexpr std::size_t kMaxCatalogueBytes = 4 << 20;  // the English one has a few kilobytes

std::string languageInPlay = kGerman;  // "de" or a language whose catalogue is in play

bool IsSet(const char* value) {
  return value != nullptr && value[0] != '\0';
}

// German, or a language `has` a catalogue of; "" for no language the game plays in.
std::string Playable(std::string_view locale, const std::function<bool(const std::string&)>& has) {
  const std::string language = LanguageOfLocale(locale);
  return language == kGerman || (!language.empty() && has(language)) ? language : "";
}

}  // namespace

bool IsLanguageCode(std::string_view text) {
  if (text.size() < 2 || text.size() > 3) return false;
  for (const char c : text) {
    if (c < 'a' || c > 'z') return false;
  }
  return true;
}

std::string LanguageOfLocale(std::string_view locale) {
  const std::string_view language = locale.substr(0, locale.find_first_of("_.@"));
  return IsLanguageCode(language) ? std::string(language) : "";
}

LocaleVariables LocaleOfEnvironment() {
  return {std::getenv("LANGUAGE"), std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG")};
}

std::string ChooseLanguage(const std::string& chosen, const LocaleVariables& locale,
                           const std::function<bool(const std::string&)>& has) {
  if (!chosen.empty()) return chosen;
  if (IsSet(locale.language)) {
    std::string_view list = locale.language;
    while (!list.empty()) {
      const std::size_t colon = list.find(':');
      const std::string language = Playable(list.substr(0, colon), has);
      if (!language.empty()) return language;
      list = colon == std::string_view::npos ? std::string_view{} : list.substr(colon + 1);
    }
  }
  // The first one set decides, as it does for every program's messages.
  for (const char* value : {locale.lcAll, locale.lcMessages, locale.lang}) {
    if (!IsSet(value)) continue;
    const std::string language = Playable(value, has);
    return language.empty() ? kGerman : language;
  }
  return kGerman;
}

bool PlayLanguage(const std::string& language, const std::string& cataloguePath) {
  languageInPlay = kGerman;
  UseCatalogue({});
  if (language == kGerman) return true;
  std::string bytes;
  const int error = ReadSmallFile(cataloguePath, kMaxCatalogueBytes, bytes);
  Catalogue catalogue;
  std::string problem = error == EFBIG ? "too large for a catalogue" : error != 0 ? std::strerror(error) : "";
  if (error == 0) {
    ParseMoCatalogue(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), catalogue, problem);
  }
  if (!problem.empty()) {
    std::fprintf(stderr, "space: %s: %s; playing in German\n", cataloguePath.c_str(), problem.c_str());
    return false;
  }
  languageInPlay = language;
  UseCatalogue(std::move(catalogue));
  return true;
}

void StartLanguage(const std::string& chosen) {
  const auto catalogueOf = [](const std::string& language) {
    return CatalogueFileFor(ProgramFolder(), language);
  };
  const std::string language = ChooseLanguage(
      chosen, LocaleOfEnvironment(), [&](const std::string& code) { return !catalogueOf(code).empty(); });
  const std::string path = language == kGerman ? "" : catalogueOf(language);
  if (language != kGerman && path.empty()) {
    std::fprintf(stderr, "space: no catalogue of the language \"%s\"; playing in German\n", language.c_str());
  }
  PlayLanguage(path.empty() ? kGerman : language, path);
}

const std::string& LanguageInPlay() {
  return languageInPlay;
}
