#include "platform/exceptions.h"

AnsiString FormatMessage(const AnsiString& pattern, const AnsiString& argument) {
  const int at = pattern.Pos("%s");
  if (at == 0) return pattern;
  return pattern.SubString(1, at - 1) + argument + pattern.SubString(at + 2, pattern.Length());
}
