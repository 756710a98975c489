#pragma once
// Comparing a wide text from the page with one of the program's 8-bit texts.

#include <string_view>

#include "platform/text.h"

// Whether wide converted to the program's code page is byte for byte ansi; the comparison
// that a conversion makes, without the conversion where it can be told without one.
[[nodiscard]] bool SameAfterConversion(std::u16string_view wide, const AnsiString& ansi);

// Whether wide, converted to the program's code page, is byte for byte ansi. The walk of
// the page's fields compares a tag name and an id for every element, and a conversion each
// time would cost more than the whole rest of the walk. Up to the first character outside
// the ASCII range the conversion is the identity, so a difference there is final; from that
// character on only the conversion knows.
[[nodiscard]] inline bool SameAnsiText(std::u16string_view wide, const AnsiString& ansi) {
  const std::string& bytes = ansi.bytes();
  for (std::size_t i = 0; i < wide.size(); ++i) {
    if (wide[i] >= 0x80) return SameAfterConversion(wide, ansi);
    if (i >= bytes.size() || wide[i] != static_cast<unsigned char>(bytes[i])) return false;
  }
  return wide.size() == bytes.size();
}
