#pragma once
// The character set a page is written in, as its server or the page itself declares it.

#include <string>
#include <string_view>

#include "platform/text.h"

// The charset parameter of the Content-Type header first, else the one a meta tag within
// the first 1024 bytes declares (<meta charset=...> or the http-equiv Content-Type form);
// empty when neither says.
[[nodiscard]] std::string DeclaredCharset(std::string_view bytes, const std::string& content_type);

// The page as wide text. A byte-order mark decides before any declaration, as it does in
// browsers; a page that declares nothing is read in code page 936.
[[nodiscard]] WideString DecodePage(std::string_view bytes, const std::string& content_type);
