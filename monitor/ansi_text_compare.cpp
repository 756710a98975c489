#include "monitor/ansi_text_compare.h"

#include <algorithm>

bool SameAnsiText(const WideString& wide, const AnsiString& ansi) {
  if (std::any_of(wide.begin(), wide.end(), [](char16_t c) { return c >= 0x80; })) return WideToAnsi(wide) == ansi;
  const std::string& bytes = ansi.bytes();
  return wide.size() == bytes.size() &&
         std::equal(wide.begin(), wide.end(), bytes.begin(),
                    [](char16_t character, char byte) { return character == static_cast<unsigned char>(byte); });
}
