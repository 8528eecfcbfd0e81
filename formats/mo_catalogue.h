// Compiled gettext catalogues (.mo files, as msgfmt writes them): the translations of a program's
// texts, each found by its original text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

// Reads the .mo file image `bytes` (either byte order) into `translations`: each original text with
// its translation, both UTF-8. For an entry with plural forms the singular is the key and the first
// form its translation; the header, entries translated by an empty text and entries whose original
// starts with a zero byte are left out. The
// catalogue must declare UTF-8 as its charset or none. Every offset and length is checked against
// `size`. False for anything else, with `error` saying what is wrong and `translations` empty.
bool ParseMoCatalogue(const std::uint8_t* bytes, std::size_t size,
                      std::unordered_map<std::string, std::string>& translations, std::string& error);
