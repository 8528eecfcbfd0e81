// The catalogue in play and the lookup of the game's texts in it.
#include "base/translation.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "base/cp1252.h"

namespace {

struct TranslationState {
  Catalogue catalogue;                    // of the language in play; empty for German
  std::vector<std::string> untranslated;  // keys asked for and missing, each once
};

TranslationState translation;

// `text` with each "%d" replaced by `number` and each "%%" by '%', as printf would for one number.
std::string WithNumber(const std::string& text, long number) {
  std::string out;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char next = at + 1 < text.size() ? text[at + 1] : '\0';
    if (text[at] == '%' && next == 'd') {
      out += std::to_string(number);
      ++at;
    } else if (text[at] == '%' && next == '%') {
      out += '%';
      ++at;
    } else {
      out += text[at];
    }
  }
  return out;
}

}  // namespace

void UseCatalogue(Catalogue catalogue) {
  translation = TranslationState{std::move(catalogue), {}};
}

std::string Translated(const char* german) {
  if (translation.catalogue.empty()) return german;
  const auto found = translation.catalogue.find(german);
  if (found != translation.catalogue.end()) return found->second;
  std::vector<std::string>& missing = translation.untranslated;
  if (std::find(missing.begin(), missing.end(), german) == missing.end()) {
    missing.emplace_back(german);
    std::fprintf(stderr, "space: no translation of \"%s\" in the catalogue; shown in German\n", german);
  }
  return german;
}

std::string Tr(const char* german) {
  return Utf8ToCp1252(Translated(german));
}

std::string Tr(const char* german, long number) {
  return WithNumber(Tr(german), number);
}

std::string GermanText(const char* german) {
  return Utf8ToCp1252(german);
}

std::string GermanText(const char* german, long number) {
  return WithNumber(GermanText(german), number);
}

const std::vector<std::string>& UntranslatedTexts() {
  return translation.untranslated;
}
