#include "monitor/ansi_text_compare.h"

bool SameAfterConversion(std::u16string_view wide, const AnsiString& ansi) {
  return WideToAnsi(WideString(wide)) == ansi;
}
