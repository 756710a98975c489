#pragma once
// Comparing a wide text from the page with one of the program's 8-bit texts.

#include "platform/text.h"

// Whether wide, converted to the program's code page, is byte for byte ansi. The walk of
// the page's fields compares a tag name and an id for every element; a conversion each
// time would cost more than the whole rest of the walk, so a text in the ASCII range, which
// the code page keeps unchanged, is compared as it stands.
[[nodiscard]] bool SameAnsiText(const WideString& wide, const AnsiString& ansi);
