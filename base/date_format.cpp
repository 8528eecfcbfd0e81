// Local date and time, and the date masks of file names.
#include "base/date_format.h"

#include <strings.h>
#include <time.h>

#include <cstdio>

namespace {

enum class Field { kYear4, kYear2, kMonth, kDay, kHour, kMinute, kSecond };

struct Token {
  const char* text;
  Field field;
};

// The longer year token comes first so that "%yyyy" is never read as "%yy" + "yy".
constexpr Token kTokens[] = {
    {"yyyy", Field::kYear4}, {"yy", Field::kYear2},  {"mm", Field::kMonth},  {"dd", Field::kDay},
    {"hh", Field::kHour},    {"ii", Field::kMinute}, {"ss", Field::kSecond},
};

std::string FieldText(Field field, const DateTime& date) {
  char text[16];
  switch (field) {
    case Field::kYear4: std::snprintf(text, sizeof text, "%04d", date.year); break;
    case Field::kYear2: std::snprintf(text, sizeof text, "%02d", date.year % 100); break;
    case Field::kMonth: std::snprintf(text, sizeof text, "%02d", date.month); break;
    case Field::kDay: std::snprintf(text, sizeof text, "%02d", date.day); break;
    case Field::kHour: std::snprintf(text, sizeof text, "%02d", date.hour); break;
    case Field::kMinute: std::snprintf(text, sizeof text, "%02d", date.minute); break;
    case Field::kSecond: std::snprintf(text, sizeof text, "%02d", date.second); break;
  }
  return text;
}

}  // namespace

DateTime LocalDateTime() {
  const time_t now = time(nullptr);
  tm local{};
  localtime_r(&now, &local);
  return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                  local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::string FormatDate(const std::string& mask, const DateTime& date) {
  std::string out;
  std::size_t index = 0;
  while (index < mask.size()) {
    const char c = mask[index++];
    if (c != '%') {
      out += c;
      continue;
    }
    const Token* match = nullptr;
    for (const Token& token : kTokens) {
      const std::size_t length = std::char_traits<char>::length(token.text);
      if (mask.size() - index >= length && strncasecmp(mask.c_str() + index, token.text, length) == 0) {
        match = &token;
        break;
      }
    }
    if (match == nullptr) {
      out += '%';  // copied unchanged; the next character is read as usual
      continue;
    }
    out += FieldText(match->field, date);
    index += std::char_traits<char>::length(match->text);
  }
  return out;
}
