#pragma once
// The digest text the service expects: 32 lowercase hexadecimal digits.

#include "platform/text.h"

// MD5 of the text's bytes (its code-page-936 form), two digits per digest byte.
[[nodiscard]] AnsiString Md5Hex(const AnsiString& text);
