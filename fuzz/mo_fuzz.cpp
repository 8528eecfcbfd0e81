// Fuzz target: the reader of compiled gettext catalogues on any bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "formats/mo_catalogue.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::unordered_map<std::string, std::string> translations;
  std::string error;
  if (ParseMoCatalogue(data, size, translations, error)) {
    for (const auto& [original, translation] : translations) {
      // Every text was taken from inside the file.
      FUZZ_REQUIRE(!original.empty() && !translation.empty());
      FUZZ_REQUIRE(original.size() <= size && translation.size() <= size);
    }
  } else {
    FUZZ_REQUIRE(translations.empty() && !error.empty());
  }
  return 0;
}
